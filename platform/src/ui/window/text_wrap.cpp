#include "text_wrap.h"

#include <vector>

namespace ui::window {
namespace {

using Measure = std::function<int(const wxString&)>;

// The parts of `text` between the separators, empty ones included.
std::vector<wxString> Split(const wxString& text, wxUniChar separator) {
  std::vector<wxString> parts;
  size_t start = 0;
  for (size_t end = text.find(separator); end != wxString::npos;
       start = end + 1, end = text.find(separator, start)) {
    parts.push_back(text.substr(start, end - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// The length of the longest start of `word` that fits in `width`, cut after
// the last path separator within it when there is one; at least one
// character.
size_t FittingStart(const wxString& word, int width, const Measure& measure) {
  size_t fits = 1;
  while (fits < word.length() && measure(word.Left(fits + 1)) <= width) ++fits;
  const size_t separator = word.Left(fits).find_last_of("/\\");
  return separator != wxString::npos && separator + 1 < fits ? separator + 1 : fits;
}

// One line of the text, which holds no line break, as wrapped lines.
std::vector<wxString> WrapLine(const wxString& line, int width, const Measure& measure) {
  std::vector<wxString> lines;
  wxString current;
  bool started = false;  // `current` holds at least one word, maybe an empty one
  for (wxString word : Split(line, ' ')) {
    if (started && measure(current + ' ' + word) <= width) {
      current += ' ' + word;
      continue;
    }
    if (started) lines.push_back(current);
    while (word.length() > 1 && measure(word) > width) {
      const size_t fits = FittingStart(word, width, measure);
      lines.push_back(word.Left(fits));
      word = word.Mid(fits);
    }
    current = word;
    started = true;
  }
  lines.push_back(current);
  return lines;
}

}  // namespace

wxString WrapText(const wxString& text, int width, const Measure& measure) {
  wxString wrapped;
  bool first = true;
  for (const wxString& line : Split(text, '\n')) {
    for (const wxString& part : WrapLine(line, width, measure)) {
      if (!first) wrapped += '\n';
      wrapped += part;
      first = false;
    }
  }
  return wrapped;
}

}  // namespace ui::window
