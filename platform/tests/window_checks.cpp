#include "window_checks.h"

#include <chrono>
#include <iostream>
#include <sstream>
#include <vector>

#include "test_support/process.h"
#include "window_probe.h"

namespace window_test {
namespace {

int failures = 0;

// What xwininfo prints about the display's windows.
std::string WindowInfo(const std::vector<std::string>& arguments) {
  return test_support::RunProgram("xwininfo", arguments).output;
}

}  // namespace

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

std::set<std::string> WindowsOnScreen() {
  std::set<std::string> shown;
  std::istringstream children(WindowInfo({"-root", "-children"}));
  for (std::string line; std::getline(children, line);) {
    std::istringstream words(line);
    std::string id;
    if (!(words >> id) || id.rfind("0x", 0) != 0) continue;
    if (WindowInfo({"-id", id}).find("IsViewable") != std::string::npos) {
      shown.insert(id);
    }
  }
  return shown;
}

std::set<std::string> WindowsOpenedSince(const std::set<std::string>& before, int milliseconds) {
  std::set<std::string> opened;
  WaitUntil(
      [&] {
        opened.clear();
        for (const std::string& id : WindowsOnScreen()) {
          if (!before.count(id)) opened.insert(id);
        }
        return !opened.empty();
      },
      milliseconds);
  return opened;
}

bool NoneOnScreen(const std::set<std::string>& windows) {
  const std::set<std::string> shown = WindowsOnScreen();
  for (const std::string& id : windows) {
    if (shown.count(id)) return false;
  }
  return true;
}

void PointAtCenter(const ui::Rect& rect) {
  ui::window_probe::PointAt(rect.x + rect.width / 2, rect.y + rect.height / 2);
}

void ClickCenter(const ui::Rect& rect) {
  ui::window_probe::ClickAt(rect.x + rect.width / 2, rect.y + rect.height / 2);
}

}  // namespace window_test
