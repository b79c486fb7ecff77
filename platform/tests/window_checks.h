#pragma once

#include <functional>
#include <set>
#include <string>

#include "ui/types.h"

/// Steps and checks shared by the tests that drive real windows on a virtual
/// display. These tests are programs of their own, not GoogleTest cases: the
/// steps run inside the windows' modal loops.
namespace window_test {

/// Prints "ok: what" or "FAILED: what" and counts the failures.
void Check(bool passed, const std::string& what);
/// The number of failed checks so far.
int Failures();

/// Handles the toolkit's events until `condition` holds; false when it still
/// does not hold after `milliseconds`.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 20000);

/// Waits until `actual` gives `expected`, then checks that it does; a
/// failure shows the text it gave last.
void CheckBecomes(const std::function<std::string()>& actual, const std::string& expected,
                  const std::string& what, int milliseconds = 20000);

/// The ids of the top-level windows that are on screen (mapped and viewable),
/// as the display server has them; they include tooltips and drop-down lists.
std::set<std::string> WindowsOnScreen();
/// The windows on screen now that were not in `before`; waits up to
/// `milliseconds` for one to appear, and is empty when none did.
std::set<std::string> WindowsOpenedSince(const std::set<std::string>& before,
                                         int milliseconds = 5000);
/// True when none of `windows` is on screen.
bool NoneOnScreen(const std::set<std::string>& windows);

/// Moves the pointer to the middle of `rect`, and clicks there.
void PointAtCenter(const ui::Rect& rect);
void ClickCenter(const ui::Rect& rect);

}  // namespace window_test
