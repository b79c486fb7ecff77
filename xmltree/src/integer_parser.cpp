#include <cctype>
#include <cstdint>
#include <cwctype>

#include "platform/ascii_case.h"
#include "xmltree/text_utilities.h"

namespace xmltree {
namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsSpace(wchar_t c) { return std::iswspace(static_cast<std::wint_t>(c)) != 0; }
bool IsAlpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsAlpha(wchar_t c) { return std::iswalpha(static_cast<std::wint_t>(c)) != 0; }
long long UpperCase(char c) { return static_cast<unsigned char>(platform::AsciiUpper(c)); }
long long UpperCase(wchar_t c) { return std::towupper(static_cast<std::wint_t>(c)); }

// Value of a digit character, or -1 when it is neither a decimal digit nor a
// letter. Letters count from 10 ("A" or "a") upwards.
template <typename Char>
long long DigitValue(Char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (IsAlpha(c)) return UpperCase(c) - ('A' - 10);
  return -1;
}

template <typename Char>
bool StartsWithPrefix(const Char* p, Char second) {
  return p[0] == '0' && p[1] == second;
}

template <typename Char>
bool StartsWithHexPrefix(const Char* p) {
  return StartsWithPrefix(p, Char('x')) || StartsWithPrefix(p, Char('X'));
}

template <typename Char>
int AutomaticRadix(const Char* p) {
  if (StartsWithPrefix(p, Char('%'))) return 2;
  if (p[0] == '0' && p[1] >= '0' && p[1] <= '7') return 8;
  if (StartsWithHexPrefix(p)) return 16;
  return 10;
}

template <typename Char>
const Char* SkipPrefix(const Char* p, int radix) {
  if (radix == 2 && StartsWithPrefix(p, Char('%'))) return p + 2;
  if (radix == 16 && StartsWithHexPrefix(p)) return p + 2;
  return p;
}

// Reads blanks, sign, radix prefix and digits. The result holds the bits of
// the value; arithmetic wraps on purpose, a negative number is accumulated
// downwards so that the most negative value is read exactly.
template <typename Char>
std::uint64_t Parse(const Char* text, Char** end, int radix, bool minusAllowed) {
  const Char* p = text;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+') {
    ++p;
  } else if (*p == '-') {
    if (!minusAllowed) {
      if (end) *end = const_cast<Char*>(p);
      return 0;
    }
    negative = true;
    ++p;
  }
  if (radix == 0) radix = AutomaticRadix(p);
  p = SkipPrefix(p, radix);
  std::uint64_t value = 0;
  for (long long digit = DigitValue(*p); digit >= 0 && digit < radix; digit = DigitValue(*++p)) {
    value *= static_cast<std::uint64_t>(radix);
    value = negative ? value - static_cast<std::uint64_t>(digit)
                     : value + static_cast<std::uint64_t>(digit);
  }
  if (end) *end = const_cast<Char*>(p);
  return value;
}

}  // namespace

long long ParseInteger(const char* text, char** end, int radix) {
  return static_cast<long long>(Parse(text, end, radix, true));
}

unsigned long long ParseUnsignedInteger(const char* text, char** end, int radix) {
  return Parse(text, end, radix, false);
}

long long ParseInteger(const wchar_t* text, wchar_t** end, int radix) {
  return static_cast<long long>(Parse(text, end, radix, true));
}

unsigned long long ParseUnsignedInteger(const wchar_t* text, wchar_t** end, int radix) {
  return Parse(text, end, radix, false);
}

}  // namespace xmltree
