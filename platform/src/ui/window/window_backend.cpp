#include "window_backend.h"

namespace ui {

// Until the toolkit backend lands every program runs headless.
bool StartWindowBackend(int, char**) { return false; }

}  // namespace ui
