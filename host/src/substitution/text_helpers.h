#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

/// The pieces of `text` between the delimiters, read as lines are read from a
/// stream: adjacent delimiters give an empty piece, a delimiter at the very
/// end adds none, and an empty text gives an empty list.
std::vector<std::string> SplitString(const std::string& text, char delimiter);

/// `strings` without its empty entries, in their order.
std::vector<std::string> RemoveEmptyStrings(std::vector<std::string> strings);

/// The file name of `path`: the last piece that SplitString() cuts it into at
/// "/", that is the text after its last "/" once one "/" at its very end is
/// left out; the whole path when it has no "/".
std::string BaseName(const std::string& path);

/// How often each byte value occurs in a text.
using ByteCounts = std::array<size_t, 256>;
ByteCounts CountBytes(const std::string& text);
