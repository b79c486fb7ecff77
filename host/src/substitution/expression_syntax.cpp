#include "expression_syntax.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

constexpr size_t npos = std::string_view::npos;

// Escapes that stand for a character, a class of characters or a position
// that depends on the text alone.
bool IsPlainEscape(char c) {
  return std::string_view("dDwWsShHvVlubBAzZRXCnrtfeaxpP").find(c) != npos;
}

// Moves `i` from a backslash to the last character of its escape. False for
// an escape that refers to a group or to where the search started, that
// quotes text, that is unknown here or that ends the expression.
bool SkipEscape(std::string_view expression, size_t& i) {
  if (++i == expression.size()) return false;
  const char c = expression[i];
  if (!std::isalnum(static_cast<unsigned char>(c))) return true;
  if (c == 'c') return ++i < expression.size();  // the control letter may be any character
  if (!IsPlainEscape(c)) return false;
  if ((c == 'x' || c == 'p' || c == 'P') && i + 1 < expression.size() && expression[i + 1] == '{') {
    i = expression.find('}', i);
    return i != npos;
  }
  return true;
}

// Moves `i` from a "[" to the "]" that ends its set.
bool SkipSet(std::string_view expression, size_t& i) {
  size_t j = i + 1;
  if (j < expression.size() && expression[j] == '^') ++j;
  if (j < expression.size() && expression[j] == ']') ++j;
  for (; j < expression.size(); ++j) {
    const char c = expression[j];
    if (c == ']') {
      i = j;
      return true;
    }
    if (c == '\\') {
      if (++j < expression.size() && expression[j] == 'c') ++j;
    } else if (c == '[' && j + 1 < expression.size() &&
               std::string_view(":=.").find(expression[j + 1]) != npos) {
      const char kind = expression[j + 1];
      j = expression.find(std::string{kind, ']'}, j + 2);
      if (j == npos) return false;
      ++j;
    }
  }
  return false;
}

// Moves `i` from a "{" to the "}" of a repeat {n}, {n,} or {n,m}; false for
// any other brace, which a parser may read in more than one way.
bool SkipRepeat(std::string_view expression, size_t& i) {
  size_t j = i + 1;
  auto digits = [&expression, &j] {
    const size_t start = j;
    while (j < expression.size() && std::isdigit(static_cast<unsigned char>(expression[j]))) ++j;
    return j > start;
  };
  if (!digits()) return false;
  if (j < expression.size() && expression[j] == ',') {
    ++j;
    digits();
  }
  if (j == expression.size() || expression[j] != '}') return false;
  i = j;
  return true;
}

// True for a "(" at `i` that opens a group matching by itself: a capturing,
// non-capturing, atomic or named group, a look-ahead or look-behind, or a
// group of the modifiers i, m and s.
bool OpensPlainGroup(std::string_view expression, size_t i) {
  const std::string_view rest = expression.substr(i + 1);
  if (rest.empty() || rest[0] == '*') return false;  // (*VERB)
  if (rest[0] != '?') return true;
  if (rest.size() < 2) return false;
  switch (rest[1]) {
    case ':':
    case '=':
    case '!':
    case '>':
    case '\'':
      return true;
    case '<':
      return rest.size() > 2 && (rest[2] == '=' || rest[2] == '!' ||
                                 std::isalpha(static_cast<unsigned char>(rest[2])));
    case 'P':
      return rest.size() > 2 && rest[2] == '<';
    default: {
      size_t j = 1;
      while (j < rest.size() && std::string_view("ims-").find(rest[j]) != npos) ++j;
      return j > 1 && j < rest.size() && (rest[j] == ':' || rest[j] == ')');
    }
  }
}

// True when `expression` has alternatives at its top level, outside every
// group. Expects an expression that IsSelfContained accepts.
bool HasTopLevelAlternatives(std::string_view expression) {
  int depth = 0;
  for (size_t i = 0; i < expression.size(); ++i) {
    switch (expression[i]) {
      case '\\':
        SkipEscape(expression, i);
        break;
      case '[':
        SkipSet(expression, i);
        break;
      case '(':
        ++depth;
        break;
      case ')':
        --depth;
        break;
      case '|':
        if (depth == 0) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

// True for the escapes that assert a position and match no text: \b, \B,
// \A, and the word start, word end, buffer start and buffer end \<, \>, \`
// and \'.
bool IsAssertionEscape(char c) { return std::string_view("bBA<>`'").find(c) != npos; }

// Reads the modifiers of a group that opens at `i` with them ("(?x)",
// "(?-x:"): returns the position of the ")" or ":" behind them and sets
// `extended` to whether the extended mode is on behind them. Returns npos,
// leaving `extended` as it is, for any other group.
size_t ReadModifiers(std::string_view expression, size_t i, bool& extended) {
  if (expression.substr(i, 2) != "(?") return npos;
  bool value = extended;
  bool set = true;
  size_t j = i + 2;
  for (; j < expression.size() && std::string_view("imsx-").find(expression[j]) != npos; ++j) {
    if (expression[j] == '-') set = false;
    if (expression[j] == 'x') value = set;
  }
  if (j == i + 2 || j == expression.size() || (expression[j] != ')' && expression[j] != ':')) {
    return npos;
  }
  extended = value;
  return j;
}

// The end of the item that starts at `i` and that a comment group cannot lie
// in: an escape (all of \Q...\E), a character class, or with `extended` a
// comment to the end of the line; `i` itself for any other item.
size_t EndOfTextItem(std::string_view expression, size_t i, bool extended) {
  const char c = expression[i];
  if (c == '\\') {
    if (expression.substr(i, 2) != "\\Q") return std::min(i + 2, expression.size());
    const size_t end = expression.find("\\E", i + 2);
    return end == npos ? expression.size() : end + 2;
  }
  if (c == '[') {
    size_t end = i;
    return SkipSet(expression, end) ? end + 1 : expression.size();
  }
  if (c == '#' && extended) return std::min(expression.find('\n', i), expression.size());
  return i;
}

}  // namespace

bool IsSelfContained(std::string_view expression) {
  if (expression.empty()) return false;
  int depth = 0;
  for (size_t i = 0; i < expression.size(); ++i) {
    switch (expression[i]) {
      case '\\':
        if (!SkipEscape(expression, i)) return false;
        break;
      case '[':
        if (!SkipSet(expression, i)) return false;
        break;
      case '{':
        if (!SkipRepeat(expression, i)) return false;
        break;
      case '(':
        if (!OpensPlainGroup(expression, i)) return false;
        ++depth;
        break;
      case ')':
        if (--depth < 0) return false;
        break;
      default:
        break;
    }
  }
  return depth == 0;
}

std::string LiteralStart(std::string_view expression) {
  if (HasTopLevelAlternatives(expression)) return "";
  size_t i = 0;
  while (i < expression.size()) {
    if (expression[i] == '^') {
      ++i;
    } else if (expression[i] == '\\' && i + 1 < expression.size() &&
               IsAssertionEscape(expression[i + 1])) {
      i += 2;
    } else {
      break;
    }
  }
  std::string literal;
  while (i < expression.size()) {
    char c = expression[i];
    size_t next = i + 1;
    if (c == '\\') {
      if (next == expression.size() || std::isalnum(static_cast<unsigned char>(expression[next])) ||
          IsAssertionEscape(expression[next])) {
        break;
      }
      c = expression[next++];
    } else if (std::string_view(".[](){}*+?|^$").find(c) != npos) {
      break;
    }
    if (next < expression.size() && std::string_view("*?{+").find(expression[next]) != npos) {
      if (expression[next] == '+') literal += c;
      break;
    }
    literal += c;
    i = next;
  }
  return literal;
}

std::string WithoutCommentGroups(const std::string& expression) {
  std::string kept;
  kept.reserve(expression.size());
  std::vector<bool> extended = {false};  // per open group
  size_t i = 0;
  while (i < expression.size()) {
    const size_t textEnd = EndOfTextItem(expression, i, extended.back());
    if (textEnd > i) {
      kept.append(expression, i, textEnd - i);
      i = textEnd;
      continue;
    }
    if (expression.compare(i, 3, "(?#") == 0) {
      const size_t close = expression.find(')', i);
      if (close != npos) {
        i = close + 1;
        continue;
      }
    }
    if (expression[i] == '(') {
      bool mode = extended.back();
      const size_t modifiersEnd = ReadModifiers(expression, i, mode);
      if (modifiersEnd != npos && expression[modifiersEnd] == ')') {
        // The modifiers hold for the rest of the enclosing group.
        extended.back() = mode;
        kept.append(expression, i, modifiersEnd + 1 - i);
        i = modifiersEnd + 1;
        continue;
      }
      extended.push_back(mode);
    } else if (expression[i] == ')' && extended.size() > 1) {
      extended.pop_back();
    }
    kept += expression[i++];
  }
  return kept;
}
