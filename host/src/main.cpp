#include "icons.h"
#include "platform/program.h"
#include "ui/toolkit.h"
#include "varnock_app.h"

namespace {
CVarnockApp theApp;
}

int main(int argc, char** argv) {
  platform::PrepareFileWrites();
  ui::StartUserInterface(argc, argv);
  RegisterIcons();
  theApp.InitInstance();
  return 0;
}
