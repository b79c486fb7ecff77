#include "escaped_bytes.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr size_t npos = std::string_view::npos;

int DigitValue(char c, int base) {
  const int value = std::isdigit(static_cast<unsigned char>(c))    ? c - '0'
                    : std::isxdigit(static_cast<unsigned char>(c)) ? std::tolower(c) - 'a' + 10
                                                                   : base;
  return value < base ? value : -1;
}

// Reads at most `limit` digits of `base` from `at` on; -1 when none. Only the
// low byte of the value counts, as a character type of one byte keeps it.
int ReadNumber(std::string_view rule, size_t& at, int base, size_t limit) {
  int value = -1;
  for (size_t read = 0; read < limit && at < rule.size(); ++read, ++at) {
    const int digit = DigitValue(rule[at], base);
    if (digit < 0) break;
    value = ((value < 0 ? 0 : value) * base + digit) & 0xFF;
  }
  return value;
}

class EscapeScanner {
 public:
  EscapeScanner(std::string_view rule, std::array<bool, 256>& bytes) : rule_(rule), bytes_(bytes) {}

  void Run() {
    bool inSet = false;
    bool setStart = false;  // a "]" here belongs to the set
    for (size_t i = 0; i < rule_.size();) {
      const char c = rule_[i];
      if (!inSet && c == '[') {
        inSet = setStart = true;
        rangeFrom_ = -1;
        if (++i < rule_.size() && rule_[i] == '^') ++i;
        continue;
      }
      if (inSet && c == ']' && !setStart) {
        inSet = false;
        ++i;
        continue;
      }
      setStart = false;
      int value = -1;
      if (c == '\\') {
        value = Escape(++i);
      } else if (inSet && c == '[' && i + 1 < rule_.size() &&
                 std::string_view(".=:").find(rule_[i + 1]) != npos) {
        SetInner(i);
      } else {
        value = static_cast<unsigned char>(c);
        ++i;
      }
      if (!inSet) continue;
      if (rangeFrom_ >= 0) {
        if (value >= 0) SetRange(std::min(rangeFrom_, value), std::max(rangeFrom_, value));
        rangeFrom_ = -1;
      } else if (value >= 0 && i + 1 < rule_.size() && rule_[i] == '-' && rule_[i + 1] != ']') {
        rangeFrom_ = value;
        ++i;
      }
    }
    if (changesCase_) AddOtherCases();
  }

  // A class, collating element or equivalence class inside a set, at `i`.
  // A collating element may name any ASCII character; an equivalence class
  // may hold any accented letter.
  void SetInner(size_t& i) {
    const char kind = rule_[i + 1];
    if (kind == '.') SetRange(0x00, 0x7F);
    if (kind == '=') SetRange(0x80, 0xFF);
    const size_t end = rule_.find(std::string{kind, ']'}, i + 2);
    if (kind == '=' && end != npos) {
      for (size_t at = i + 2; at < end; ++at) Note(static_cast<unsigned char>(rule_[at]));
    }
    i = end == npos ? rule_.size() : end + 2;
  }

 private:
  // The byte that the escape whose letter lies at `i` stands for, or -1;
  // moves `i` behind the escape.
  int Escape(size_t& i) {
    if (i >= rule_.size()) return -1;
    const char c = rule_[i++];
    switch (c) {
      case 'a':
        return Note('\a');
      case 'e':
        return Note(0x1B);
      case 'x':
        if (i < rule_.size() && rule_[i] == '{') return Note(ReadBraced(i, 16));
        return Note(ReadNumber(rule_, i, 16, 2));
      case 'o':
        if (i < rule_.size() && rule_[i] == '{') return Note(ReadBraced(i, 8));
        return -1;
      case 'c':
        if (i == rule_.size()) return -1;
        NoteControl(rule_[i++]);
        return -1;
      case 'N':
        SetRange(0x00, 0x7F);
        if (i < rule_.size() && rule_[i] == '{') {
          const size_t end = rule_.find('}', i);
          i = end == npos ? rule_.size() : end + 1;
        }
        return -1;
      case 'u':
      case 'U':
      case 'l':
      case 'L':
        changesCase_ = true;
        return -1;
      default:
        break;
    }
    if (c >= '0' && c <= '9') {
      --i;
      return Note(ReadNumber(rule_, i, 8, 4));
    }
    return std::isalnum(static_cast<unsigned char>(c)) ? -1 : static_cast<unsigned char>(c);
  }

  int ReadBraced(size_t& i, int base) {
    ++i;
    int value = ReadNumber(rule_, i, base, rule_.size());
    const size_t end = rule_.find('}', i);
    i = end == npos ? rule_.size() : end + 1;
    return value;
  }

  // \cX stands for a control character; which one depends on how X is read.
  void NoteControl(char letter) {
    const unsigned char byte = static_cast<unsigned char>(letter);
    Note(byte % 32);
    Note(static_cast<unsigned char>(static_cast<signed char>(letter) % 32));
    Note(byte ^ 0x40);
    Note(static_cast<unsigned char>(std::toupper(byte)) ^ 0x40);
  }

  int Note(int byte) {
    if (byte >= 0) bytes_[byte & 0xFF] = true;
    return byte;
  }

  void SetRange(int from, int to) {
    for (int byte = from; byte <= to; ++byte) bytes_[byte] = true;
  }

  // Cases in the Western European code page, as a locale may apply them.
  void AddOtherCases() {
    for (int byte = 0xC0; byte <= 0xDE; ++byte) {
      if (byte == 0xD7) continue;
      if (bytes_[byte] || bytes_[byte + 0x20]) bytes_[byte] = bytes_[byte + 0x20] = true;
    }
    if (bytes_[0xFF]) bytes_[0x9F] = true;
    if (bytes_[0x9F]) bytes_[0xFF] = true;
  }

  std::string_view rule_;
  std::array<bool, 256>& bytes_;
  int rangeFrom_ = -1;
  bool changesCase_ = false;
};

}  // namespace

void NoteEscapedBytes(const std::string& rule, std::array<bool, 256>& bytes) {
  EscapeScanner(rule, bytes).Run();
}
