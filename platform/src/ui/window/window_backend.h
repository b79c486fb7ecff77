#pragma once

namespace ui {

/// Starts the toolkit on the display and installs the window backend; false
/// (nothing installed) when no display can be reached.
bool StartWindowBackend(int argc, char** argv);

}  // namespace ui
