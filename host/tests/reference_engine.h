#pragma once

#include <string>
#include <vector>

// A plain implementation of the substitution engine for the tests to compare
// against: every step with the regular-expression library, and the block
// comments marked by one search-and-replace over the whole text per comment.
// It takes valid rules only and has no error handling.

/// The bytes and expressions that the reference engine works with.
struct EngineDialect {
  char mark = '\xBF';
  std::string lineBreak;  ///< regular expression of one line break
  std::string lineStart;  ///< regular expression that matches where a line starts
};

/// The library's own line breaks ("\R", "^") with the mark byte 0xBF.
EngineDialect LibraryDialect();

/// The engine's line breaks (CR LF, CR, LF, VT, FF) with the given mark; a
/// block comment's lines start behind LF, CR and FF only.
EngineDialect EngineDialectWithMark(char mark);

std::string ReferenceMarkComments(const std::string& text, const EngineDialect& dialect);

/// Returns 0 or 1 like the engine, with the same out text and report.
int ReferenceConvertText(const std::string& text, const std::vector<std::string>& froms,
                         const std::vector<std::string>& tos, std::string& out,
                         const std::string& filePath, std::string& report,
                         const EngineDialect& dialect);
