#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>

#include "xmltree/text_utilities.h"

namespace xmltree {
namespace {

bool IsNegative(std::uint64_t value, bool isSigned) {
  return isSigned && static_cast<std::int64_t>(value) < 0;
}

// The magnitude of a value whose bits may stand for a negative number; the
// unsigned negation also holds the most negative value.
std::uint64_t Magnitude(std::uint64_t value, bool negative) { return negative ? 0 - value : value; }

std::string GroupDigits(const std::string& digits, bool negative) {
  std::string grouped = negative ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    grouped += digits[i];
    size_t following = digits.size() - i - 1;
    if (following > 0 && following % 3 == 0) grouped += ' ';
  }
  return grouped;
}

std::string HexDigits(std::uint64_t value, bool upperCase) {
  std::ostringstream digits;
  digits << std::hex << (upperCase ? std::uppercase : std::nouppercase) << value;
  return digits.str();
}

void WriteZeroPaddedHex(std::ostream& stream, std::uint64_t magnitude, bool negative,
                        bool signColumn) {
  std::streamsize digitCount = stream.width(0);
  std::streamsize prefixWidth = signColumn ? 3 : 2;
  if (digitCount > prefixWidth) digitCount -= prefixWidth;
  if (negative) {
    stream << '-';
  } else if (signColumn && digitCount != 0) {
    stream << ' ';
  }
  stream << "0x" << std::noshowbase << std::setfill('0') << std::setw(digitCount) << magnitude;
}

void WritePlainHex(std::ostream& stream, std::uint64_t magnitude, bool negative, bool upperCase) {
  if (magnitude == 0) {
    stream << "0x0";
  } else if (stream.width() != 0) {
    // Composed first so that the field width covers sign and prefix too.
    stream << (negative ? "-0x" : "0x") + HexDigits(magnitude, upperCase);
  } else {
    stream << (negative ? "-0x" : "0x") << std::noshowbase << magnitude;
  }
}

}  // namespace

std::ostream& operator<<(std::ostream& stream, const GroupedDecimal& number) {
  bool negative = IsNegative(number.value, number.isSigned);
  std::string digits = std::to_string(Magnitude(number.value, negative));
  return stream << GroupDigits(digits, negative);
}

std::ostream& operator<<(std::ostream& stream, const HexFormat& number) {
  PushFormatState(stream);
  FormatStateGuard restore(stream);
  bool signColumn = (number.flags & HexFormat::kSigned) != 0;
  bool upperCase = (number.flags & HexFormat::kUpperCase) != 0;
  stream << std::hex;
  if (upperCase) stream << std::uppercase;
  if (number.width != 0) stream.width(2 * number.width + 2 + (signColumn ? 1 : 0));
  bool negative = IsNegative(number.value, signColumn);
  std::uint64_t magnitude = Magnitude(number.value, negative);
  if (number.flags & HexFormat::kZeroPadded) {
    WriteZeroPaddedHex(stream, magnitude, negative, signColumn);
  } else {
    WritePlainHex(stream, magnitude, negative, upperCase);
  }
  return stream;
}

std::ostream& operator<<(std::ostream& stream, const WriteSigned& number) {
  if (number.value >= 0) stream << '+';
  return stream << static_cast<long long>(number.value);
}

std::string FormatInteger(unsigned long long value) {
  std::ostringstream text;
  text << GroupedDecimal{value, false};
  return text.str();
}

std::string FormatInteger(long long value) {
  std::ostringstream text;
  text << GroupedDecimal{static_cast<std::uint64_t>(value), true};
  return text.str();
}

std::string FormatHex(unsigned long long value) {
  std::ostringstream text;
  text << HexFormat{value, 0, 0};
  return text.str();
}

}  // namespace xmltree
