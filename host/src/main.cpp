#include "icons.h"
#include "ui/toolkit.h"
#include "varnock_app.h"

namespace {
CVarnockApp theApp;
}

int main(int argc, char** argv) {
  ui::StartUserInterface(argc, argv);
  RegisterIcons();
  theApp.InitInstance();
  return 0;
}
