#pragma once

#include <string>

#include "ui/types.h"

/// Screenshots of the virtual display, taken with ImageMagick.
namespace window_test {

/// Writes a PNG of the whole display to `path`; false when it failed.
bool SaveScreenshot(const std::string& path);

/// True when `rect` is not blank in the screenshot: something is drawn
/// there. False for an empty rectangle or a file that cannot be read.
bool ShowsSomething(const std::string& screenshot, const ui::Rect& rect);

/// The mean level of the pixels inside `rect` in the screenshot, from 0
/// (black) to 1 (white); -1 for an empty rectangle or a file that cannot be
/// read.
double MeanLevel(const std::string& screenshot, const ui::Rect& rect);

/// The share of the pixels inside `rect` in the screenshot that are darker
/// than mid grey (text on a light background), from 0 to 1; -1 for an empty
/// rectangle or a file that cannot be read.
double DarkShare(const std::string& screenshot, const ui::Rect& rect);

/// Writes to `path` the part of the screenshot inside `rect`; false when it
/// failed.
bool SaveCrop(const std::string& screenshot, const ui::Rect& rect, const std::string& path);

/// Takes screenshots into `path` until `rect` is not blank in one; false
/// when it is still blank after `milliseconds`.
bool ScreenshotShowing(const std::string& path, const ui::Rect& rect, int milliseconds = 10000);

}  // namespace window_test
