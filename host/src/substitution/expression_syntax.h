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
