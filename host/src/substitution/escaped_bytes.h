#pragma once

#include <array>
#include <string>

/// Sets in `bytes` every byte that an escape of `rule` (a search expression
/// or a replacement) can stand for: \xHH and \x{...}, octal escapes, \cX,
/// \a and \e, every byte of a bracket range, and, where unsure, more: the
/// ASCII bytes for named characters and collating elements, and for a
/// change of case (\u, \U, \l, \L) the other case of every byte already
/// set. Bytes that `rule` holds literally are not set here.
void NoteEscapedBytes(const std::string& rule, std::array<bool, 256>& bytes);
