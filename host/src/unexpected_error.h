#pragma once

#include <string>

/// The text of the exception being handled: its what() for a standard
/// exception, a fixed text for any other. Call only inside a catch block.
std::string CurrentExceptionText();

/// Says that the program stops because of the exception being handled:
/// "Varnock stopped because of an unexpected error:" and its text, in a
/// message box, or on standard error should the box itself fail. Call only
/// inside a catch block; never throws.
void ShowUnexpectedError() noexcept;
