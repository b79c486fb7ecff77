#include "screenshot.h"

#include <cstdlib>
#include <vector>

#include "test_support/process.h"
#include "window_checks.h"

namespace window_test {
namespace {

// A figure of the screenshot's pixels inside `rect` (after the operators
// `before`), as ImageMagick's `fx` expression gives it; -1 when the file
// cannot be read.
std::string CropGeometry(const ui::Rect& rect) {
  return std::to_string(rect.width) + "x" + std::to_string(rect.height) + "+" +
         std::to_string(rect.x) + "+" + std::to_string(rect.y);
}

double Figure(const std::string& screenshot, const ui::Rect& rect, const std::string& fx,
              const std::vector<std::string>& before = {}) {
  std::vector<std::string> arguments = {screenshot, "-crop", CropGeometry(rect), "+repage"};
  arguments.insert(arguments.end(), before.begin(), before.end());
  for (const std::string& each :
       {std::string("-format"), "%[fx:" + fx + "]", std::string("info:")}) {
    arguments.push_back(each);
  }
  std::string value = test_support::RunProgram("convert", arguments).output;
  return value.empty() ? -1.0 : std::atof(value.c_str());
}

}  // namespace

bool SaveScreenshot(const std::string& path) {
  return test_support::RunProgram("import", {"-window", "root", path}).exitCode == 0;
}

bool SaveCrop(const std::string& screenshot, const ui::Rect& rect, const std::string& path) {
  return test_support::RunProgram("convert",
                                  {screenshot, "-crop", CropGeometry(rect), "+repage", path})
             .exitCode == 0;
}

bool ShowsSomething(const std::string& screenshot, const ui::Rect& rect) {
  constexpr double kBlank = 0.01;
  return rect.width > 0 && rect.height > 0 &&
         Figure(screenshot, rect, "standard_deviation") > kBlank;
}

double MeanLevel(const std::string& screenshot, const ui::Rect& rect) {
  if (rect.width <= 0 || rect.height <= 0) return -1.0;
  return Figure(screenshot, rect, "mean");
}

double DarkShare(const std::string& screenshot, const ui::Rect& rect) {
  if (rect.width <= 0 || rect.height <= 0) return -1.0;
  return Figure(screenshot, rect, "1-mean", {"-colorspace", "Gray", "-threshold", "50%"});
}

// Between attempts the toolkit handles its events, so that the window can
// paint.
bool ScreenshotShowing(const std::string& path, const ui::Rect& rect, int milliseconds) {
  return WaitUntil([&] { return SaveScreenshot(path) && ShowsSomething(path, rect); },
                   milliseconds);
}

}  // namespace window_test
