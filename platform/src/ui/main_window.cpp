#include "ui/dialog.h"

namespace ui {
namespace {
Dialog* mainWindow = nullptr;
}

void SetMainWindow(Dialog* dialog) { mainWindow = dialog; }

Dialog* MainWindow() { return mainWindow; }

}  // namespace ui
