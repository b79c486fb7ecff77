#pragma once

#include <string>

/// The text with "&", "<" and ">" replaced by their entity references, ready
/// to stand as the content of an element in a generated project file.
std::string EscapeXml(const std::string& text);
