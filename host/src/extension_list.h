#pragma once

#include <string>
#include <vector>

/// Appends the patterns of an extension list to `patterns`: the pieces of
/// `text` between ";" separators, empty pieces skipped. The text must begin
/// with a pattern, and every piece must be one or more patterns written
/// together, each "*." and a name of ASCII letters, digits, "_", "-" and "*"
/// (so "*.c*.h" is one piece). Returns false, with `patterns` untouched, when
/// the text is no such list (the empty text included). Takes time in
/// proportion to the text, whatever its length.
bool SplitExtensionList(const std::string& text, std::vector<std::string>& patterns);
