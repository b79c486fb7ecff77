#pragma once

#include <string>
#include <vector>

#include "text_helpers.h"

/// The byte that marks comments while the substitution rules run, as long as
/// neither the text nor the rules hold it.
constexpr char kCommentMark = '\xBF';

/// Regular-expression text that matches one line break of the engine: CR LF
/// as one unit, or a single CR, LF, VT or FF (never the byte 0x85).
extern const char* const kLineBreakExpression;

/// The comment mark for converting `text`, of the file named `baseName`, with
/// the rules `froms`/`tos`: kCommentMark when none of them holds that byte,
/// otherwise another byte that none of them holds, literally or through an
/// escape (NoteEscapedBytes), so that removing the marks never removes a byte
/// of the text, of a replacement or of the file name in a listing. Throws
/// std::runtime_error when every byte that can serve as the mark is taken.
char ChooseCommentMark(const std::string& text, const std::vector<std::string>& froms,
                       const std::vector<std::string>& tos, const std::string& baseName);

/// The same for a text whose bytes are counted in `textCounts`.
char ChooseCommentMark(const ByteCounts& textCounts, const std::vector<std::string>& froms,
                       const std::vector<std::string>& tos, const std::string& baseName);

/// `text` with `mark` put in front of the "//" of every line comment that a
/// line break ends, and at the start of every line of every block comment
/// (from its "/*" to the end of the first line holding a "*/", or to the end
/// of the text). Every other place where the text of such a block comment
/// occurs is marked the same way. A place holds at most one mark. Throws
/// std::bad_alloc when memory runs out.
std::string MarkComments(const std::string& text, char mark = kCommentMark);

/// `text` without any `mark` byte.
std::string UnmarkComments(std::string text, char mark = kCommentMark);
