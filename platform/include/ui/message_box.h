#pragma once

#include <string>

#include "platform/export.h"

namespace ui {

class Dialog;

enum class Buttons { Ok, YesNo };
enum class Icon { None, Question, Information, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

/// Shows a modal message box and returns the button pressed. `owner` is the
/// window that owns the box, or null for none. Where no person can answer,
/// the text goes to standard error as "caption: text" and the safe default
/// answer is returned: Ok, or No for a Yes/No question.
PLATFORM_EXPORT Answer MessageBox(const Dialog* owner, const std::string& text,
                                  const std::string& caption, Buttons buttons = Buttons::Ok,
                                  Icon icon = Icon::None);

}  // namespace ui
