#include "screenshot.h"

#include <cstdio>
#include <cstdlib>

#include "window_checks.h"

namespace window_test {
namespace {

std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
  }
  return output;
}

// How much the screenshot varies inside `rect` (its standard deviation): 0
// for a blank area.
double Variation(const std::string& screenshot, const ui::Rect& rect) {
  std::string crop = std::to_string(rect.width) + "x" + std::to_string(rect.height) + "+" +
                     std::to_string(rect.x) + "+" + std::to_string(rect.y);
  std::string value = Output("convert '" + screenshot + "' -crop " + crop +
                             " +repage -format '%[fx:standard_deviation]' info: 2>/dev/null");
  return value.empty() ? 0.0 : std::atof(value.c_str());
}

}  // namespace

bool SaveScreenshot(const std::string& path) {
  return std::system(("import -window root '" + path + "' 2>/dev/null").c_str()) == 0;
}

bool ShowsSomething(const std::string& screenshot, const ui::Rect& rect) {
  constexpr double kBlank = 0.01;
  return rect.width > 0 && rect.height > 0 && Variation(screenshot, rect) > kBlank;
}

// Between attempts the toolkit handles its events, so that the window can
// paint.
bool ScreenshotShowing(const std::string& path, const ui::Rect& rect, int milliseconds) {
  return WaitUntil([&] { return SaveScreenshot(path) && ShowsSomething(path, rect); },
                   milliseconds);
}

}  // namespace window_test
