#include "extension_list.h"

namespace {

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '*';
}

// One or more "*." + name, written together. Since "*" is a name character
// too, a "." inside the piece begins the next pattern only when the name
// before it has a character of its own and its last "*" starts that pattern.
bool IsPatternRun(const std::string& text, size_t begin, size_t end) {
  if (end - begin < 3 || text[begin] != '*' || text[begin + 1] != '.') return false;
  size_t nameLength = 0;
  for (size_t i = begin + 2; i < end; ++i) {
    if (text[i] == '.') {
      if (nameLength < 2 || text[i - 1] != '*') return false;
      nameLength = 0;
    } else if (IsNameCharacter(text[i])) {
      ++nameLength;
    } else {
      return false;
    }
  }
  return nameLength > 0;
}

}  // namespace

bool SplitExtensionList(const std::string& text, std::vector<std::string>& patterns) {
  if (text.empty() || text.front() == ';') return false;
  std::vector<std::string> pieces;
  for (size_t begin = 0; begin < text.size();) {
    size_t end = text.find(';', begin);
    if (end == std::string::npos) end = text.size();
    if (end > begin) {
      if (!IsPatternRun(text, begin, end)) return false;
      pieces.push_back(text.substr(begin, end - begin));
    }
    begin = end + 1;
  }
  patterns.insert(patterns.end(), pieces.begin(), pieces.end());
  return true;
}
