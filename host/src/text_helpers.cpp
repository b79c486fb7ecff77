#include "text_helpers.h"

#include <algorithm>

std::vector<std::string> SplitString(const std::string& text, char delimiter) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(delimiter, start);
    if (end == std::string::npos) end = text.size();
    pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::vector<std::string> RemoveEmptyStrings(std::vector<std::string> strings) {
  strings.erase(std::remove_if(strings.begin(), strings.end(),
                               [](const std::string& s) { return s.empty(); }),
                strings.end());
  return strings;
}

std::string BaseName(const std::string& path) {
  std::vector<std::string> pieces = SplitString(path, '/');
  return pieces.empty() ? std::string() : pieces.back();
}

ByteCounts CountBytes(const std::string& text) {
  ByteCounts counts{};
  for (unsigned char byte : text) ++counts[byte];
  return counts;
}
