#pragma once

#include <optional>
#include <string>

namespace test_support {

/// Sets one environment variable to `value`, or removes it when `value` is
/// empty (std::nullopt), for the object's lifetime; the variable's former
/// state comes back when the object goes away.
class EnvironmentOverride {
 public:
  EnvironmentOverride(const std::string& name, const std::optional<std::string>& value);
  ~EnvironmentOverride();
  EnvironmentOverride(const EnvironmentOverride&) = delete;
  EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace test_support
