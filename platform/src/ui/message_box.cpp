#include "ui/message_box.h"

#include "backend.h"

namespace ui {

Answer MessageBox(const Dialog* owner, const std::string& text, const std::string& caption,
                  Buttons buttons, Icon icon) {
  return CurrentBackend().ShowMessageBox(owner, text, caption, buttons, icon);
}

}  // namespace ui
