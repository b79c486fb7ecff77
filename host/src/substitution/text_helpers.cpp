#include "text_helpers.h"

#include <algorithm>

#include "platform/path.h"

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
  const bool closed = !path.empty() && path.back() == '/';
  return platform::AfterLastSeparator(closed ? path.substr(0, path.size() - 1) : path);
}

ByteCounts CountBytes(const std::string& text) {
  ByteCounts counts{};
  for (unsigned char byte : text) ++counts[byte];
  return counts;
}
