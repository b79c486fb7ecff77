#include <deque>
#include <ios>

#include "xmltree/text_utilities.h"

namespace xmltree {
namespace {

struct FormatState {
  std::ios_base::fmtflags flags;
  std::streamsize precision;
  char fill;
};

std::deque<FormatState>& FormatStateStack() {
  static std::deque<FormatState> stack;
  return stack;
}

}  // namespace

std::ostream& PushFormatState(std::ostream& stream) {
  FormatStateStack().push_back({stream.flags(), stream.precision(), stream.fill()});
  return stream;
}

void PopFormatState(std::ostream& stream) {
  std::deque<FormatState>& stack = FormatStateStack();
  // A pop without its push has nothing to restore; leave the stream alone.
  if (stack.empty()) return;
  const FormatState& state = stack.back();
  stream.flags(state.flags);
  stream.precision(state.precision);
  stream.fill(state.fill);
  stack.pop_back();
}

}  // namespace xmltree
