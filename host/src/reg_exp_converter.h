#pragma once
#include <string>
#include <vector>
class RegExpConverter {
 public:
  explicit RegExpConverter(bool quiet = false) : silent(quiet) {}
  virtual ~RegExpConverter() = default;
  int ConvertText(const std::string& text, const std::vector<std::string>& froms,
                  const std::vector<std::string>& tos, std::string& out, const std::string& path,
                  std::string& report);
  bool silent;
};
