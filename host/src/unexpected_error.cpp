#include "unexpected_error.h"

#include <exception>
#include <iostream>

#include "ui/message_box.h"

namespace {
const char* const kStopped = "Varnock stopped because of an unexpected error:";
}  // namespace

std::string CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "an exception of an unknown kind";
  }
}

// Memory may be what ran out: should the text or the box fail, the bare
// sentence still goes to standard error.
void ShowUnexpectedError() noexcept {
  try {
    ui::MessageBox(nullptr, std::string(kStopped) + "\n" + CurrentExceptionText(), "Varnock",
                   ui::Buttons::Ok, ui::Icon::Error);
  } catch (...) {
    std::cerr << kStopped << std::endl;
  }
}
