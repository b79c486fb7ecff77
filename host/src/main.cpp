#include "icons.h"
#include "platform/program.h"
#include "ui/toolkit.h"
#include "unexpected_error.h"
#include "varnock_app.h"

namespace {
CVarnockApp theApp;
}

// The one place where the program ends: with the application's exit code,
// or with 1 after saying why when an error nobody expected came this far.
int main(int argc, char** argv) {
  try {
    platform::PrepareFileWrites();
    ui::StartUserInterface(argc, argv);
    RegisterIcons();
    return theApp.InitInstance();
  } catch (...) {
    ShowUnexpectedError();
    return 1;
  }
}
