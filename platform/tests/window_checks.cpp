#include "window_checks.h"

#include <chrono>
#include <iostream>

#include "window/window_probe.h"

namespace window_test {
namespace {
int failures = 0;
}

void Check(bool passed, const std::string& what) {
  std::cout << (passed ? "ok: " : "FAILED: ") << what << std::endl;
  if (!passed) ++failures;
}

int Failures() { return failures; }

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ui::window_probe::HandleEventsFor(20);
  }
  return true;
}

void CheckBecomes(const std::function<std::string()>& actual, const std::string& expected,
                  const std::string& what, int milliseconds) {
  std::string last;
  const bool became = WaitUntil(
      [&] {
        last = actual();
        return last == expected;
      },
      milliseconds);
  Check(became, became ? what : what + " (expected \"" + expected + "\", got \"" + last + "\")");
}

void PointAtCenter(const ui::Rect& rect) {
  ui::window_probe::PointAt(rect.x + rect.width / 2, rect.y + rect.height / 2);
}

void ClickCenter(const ui::Rect& rect) {
  ui::window_probe::ClickAt(rect.x + rect.width / 2, rect.y + rect.height / 2);
}

}  // namespace window_test
