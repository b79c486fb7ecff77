#pragma once

#include <string>
#include <string_view>

/// True when `expression` is a search expression whose matching depends on
/// the text alone, not on what a pattern matched in front of it or on where
/// the search started: it holds no back-reference, recursion, conditional,
/// search-start anchor, quoted text or other construct that is not read
/// here, and its groups balance. False whenever in doubt.
bool IsSelfContained(std::string_view expression);

/// The text that every match of `expression` (one that IsSelfContained
/// accepts) begins with: behind assertions that match no text (^ and the
/// assertion escapes), the plain and escaped characters up to the first other
/// item, a character that a repeat may drop or repeat excluded. Empty when
/// none can be told.
std::string LiteralStart(std::string_view expression);

/// `expression` without its comment groups "(?#...)", which match nothing,
/// so that the result matches exactly what `expression` matches. The
/// expression library never returns from compiling a comment group that
/// follows a possessive repeat. Text that only looks like a comment group
/// stays: inside a character class, inside \Q...\E, inside a comment of the
/// extended mode (from "#" to the end of the line) or without a closing
/// ")".
std::string WithoutCommentGroups(const std::string& expression);
