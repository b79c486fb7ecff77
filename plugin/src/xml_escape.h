#pragma once

#include <string>

/// The text with "&", "<" and ">" replaced by their entity references, ready
/// to stand as the content of an element in a generated project file. The
/// text is read as UTF-8 and every character beyond ASCII is written as a
/// character reference ("&#xFC;"), so the result is plain ASCII and means the
/// same under any declared encoding; a byte that is not part of valid UTF-8
/// is taken as the ISO-8859-1 character of that value.
std::string EscapeXml(const std::string& text);
