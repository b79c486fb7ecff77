#pragma once

#include <cstddef>
#include <string>
#include <vector>

/// Where a block comment lies in a text: [begin, end).
struct CommentSpan {
  size_t begin = 0;
  size_t end = 0;
};

/// Marks the block comments `comments` (in text order, none overlapping) of
/// `text`: for each comment in turn, every occurrence of its text in the
/// text as marked so far is replaced by its marked form, the same text with
/// `mark` at its start and behind each of its inner line breaks. Occurrences
/// are taken from the left without overlapping, as a plain search-and-replace
/// over the whole text would take them. A place that this marks more than once,
/// or where a mark stands already, holds one mark in the result.
std::string MarkBlockComments(const std::string& text, const std::vector<CommentSpan>& comments,
                              char mark);
