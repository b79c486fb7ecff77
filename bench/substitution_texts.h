#pragma once

#include <string>
#include <vector>

/// Twenty substitution rules of the kind a user writes to move AVR sources:
/// includes, interrupt and delay intrinsics, program-memory access and
/// register access macros, a few with groups.
struct RuleList {
  std::vector<std::string> froms;
  std::vector<std::string> tos;
};
RuleList TypicalRules();

/// A C source file of about `bytes` bytes: functions using the AVR library,
/// line comments and a few block comments.
std::string TypicalCFile(size_t bytes);

/// A device register header of about `bytes` bytes: register and bit
/// definitions, most with a comment behind them, comment banners, multi-line
/// descriptions and repeated "Reserved" comments.
std::string RegisterHeader(size_t bytes);

/// `lines` lines that each hold the same block comment between code:
/// "int a; /* c */ x = y;".
std::string RepeatedCommentLines(size_t lines);

/// A register header of `lines` bit definitions, each with the same comment
/// that names the port ("#define PB7 7  /* PORTB bit */"), and no ";".
std::string PortBitHeader(size_t lines);

/// `lines` lines, line j holding j copies of the comment "/* a */ ": every
/// line's comment occurs again on every longer line, many times over.
std::string OverlappingComments(size_t lines);

/// Number of block comments ("/*") in `text`.
size_t CountBlockComments(const std::string& text);
