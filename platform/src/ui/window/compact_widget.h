#pragma once

#include <utility>

namespace ui::window {

/// A toolkit widget without the theme's padding around its content. The
/// theme pads widgets for layouts it computes itself; a dialog template gives
/// each control the room its text needs in the dialog font, and a padded
/// small button or check box would have too little left to show its image
/// or text.
template <class Widget>
class Compact : public Widget {
 public:
  template <class... Arguments>
  explicit Compact(Arguments&&... arguments) : Widget(std::forward<Arguments>(arguments)...) {
    this->GTKApplyCssStyle(
        "* { padding: 0; margin: 0; } check, radio { margin-right: 1px; min-width: 12px; "
        "min-height: 12px; }");
  }
};

}  // namespace ui::window
