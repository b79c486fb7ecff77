#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace xmltree {

// Narrow text is UTF-8 (the system's code page); wide text is UTF-16, the
// character type of the XML layer.

/// Narrow to wide; empty when the text is not valid narrow text.
std::u16string ToWide(const std::string& text);
void ToWide(const std::string& text, std::u16string& out);
/// Wide to narrow; a character that cannot be represented becomes "?".
std::string ToNarrow(const std::u16string& text);
void ToNarrow(const std::u16string& text, std::string& out);

/// True for a character that an XML 1.0 file cannot hold in any form, not
/// even as a character reference: a control character other than tab, line
/// feed and carriage return, U+FFFE or U+FFFF.
bool IsForbiddenInXml(char32_t character);

/// Reads an integer with optional blanks, sign and radix prefix ("0x", "0%"
/// for binary, a leading "0" for octal when radix is 0); `end` receives the
/// position where reading stopped. Too many digits wrap around.
long long ParseInteger(const char* text, char** end, int radix);
unsigned long long ParseUnsignedInteger(const char* text, char** end, int radix);
long long ParseInteger(const wchar_t* text, wchar_t** end, int radix);
unsigned long long ParseUnsignedInteger(const wchar_t* text, wchar_t** end, int radix);

/// A value written in decimal with its digits grouped by three ("1 234 567").
struct GroupedDecimal {
  std::uint64_t value;
  bool isSigned;
};
std::ostream& operator<<(std::ostream& stream, const GroupedDecimal& number);

/// A value written in hexadecimal with "0x".
struct HexFormat {
  enum : unsigned { kSigned = 1, kZeroPadded = 2, kUpperCase = 4 };
  std::uint64_t value;
  unsigned flags : 3;
  int width : 30;  ///< bytes to show, two digits each; 0 = no fixed width
};
std::ostream& operator<<(std::ostream& stream, const HexFormat& number);

/// A signed value with its sign always written ("+5", "-5").
struct WriteSigned {
  std::int64_t value;
};
std::ostream& operator<<(std::ostream& stream, const WriteSigned& number);

std::string FormatInteger(unsigned long long value);
std::string FormatInteger(long long value);
std::string FormatHex(unsigned long long value);

/// Writes every character of the text to standard output, one line each.
void DumpString(std::string text);
void DumpString(std::u16string text);

/// Saves and restores a stream's flags, precision and fill character.
std::ostream& PushFormatState(std::ostream& stream);
void PopFormatState(std::ostream& stream);

/// Pops the stream's format state when the scope ends.
class FormatStateGuard {
 public:
  explicit FormatStateGuard(std::ostream& stream) : stream_(stream) {}
  ~FormatStateGuard() { PopFormatState(stream_); }
  FormatStateGuard(const FormatStateGuard&) = delete;
  FormatStateGuard& operator=(const FormatStateGuard&) = delete;

 private:
  std::ostream& stream_;
};

}  // namespace xmltree
