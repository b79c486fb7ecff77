#include "test_support/environment_override.h"

#include <cstdlib>

namespace test_support {
namespace {

void Apply(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

}  // namespace

EnvironmentOverride::EnvironmentOverride(const std::string& name,
                                         const std::optional<std::string>& value)
    : name_(name) {
  if (const char* previous = std::getenv(name.c_str())) previous_ = previous;
  Apply(name_, value);
}

EnvironmentOverride::~EnvironmentOverride() { Apply(name_, previous_); }

}  // namespace test_support
