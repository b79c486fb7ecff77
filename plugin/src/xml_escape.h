#pragma once

#include <string>

/// The text with "&", "<" and ">" replaced by their entity references, ready
/// to stand as the content of an element in a generated project file. The
/// text is read as UTF-8 and every character beyond ASCII is written as a
/// character reference ("&#xFC;"), so the result is plain ASCII and means the
/// same under any declared encoding; a byte that is not part of valid UTF-8
/// is taken as the ISO-8859-1 character of that value. A carriage return is
/// written as a reference too, which a reader keeps. A character that XML
/// cannot carry in any form stays as it is: such a text has no place in an
/// XML file, and FindCharacterXmlCannotCarry finds it there.
std::string EscapeXml(const std::string& text);

/// Whether `text`, read as EscapeXml reads it, holds a character that no XML
/// 1.0 file can carry (a control character other than tab, line feed and
/// carriage return, U+FFFE or U+FFFF); the first such one into `found`.
bool FindCharacterXmlCannotCarry(const std::string& text, char32_t& found);

/// A character as its code point is written: "U+0001".
std::string CodePointName(char32_t character);
