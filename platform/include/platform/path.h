#pragma once

#include <string>

#include "platform/export.h"

namespace platform {

/// Where the name of `path` begins: just behind its last "/", or 0 when it
/// has none. The text before it (with that "/") is the path's folder part.
PLATFORM_EXPORT size_t NameStart(const std::string& path);

/// The text after the last "/" of `path`: the whole path when it has none,
/// "" when it ends in one.
PLATFORM_EXPORT std::string AfterLastSeparator(const std::string& path);

/// The text before the last "/" of `path`: the whole path when it has none,
/// "" when its only "/" is the first character.
PLATFORM_EXPORT std::string BeforeLastSeparator(const std::string& path);

/// `path` without the "/" at its end, however many; a path of nothing but
/// "/" keeps one.
PLATFORM_EXPORT std::string WithoutTrailingSeparator(std::string path);

/// `folder` followed by a "/" when it does not end in one already; "" stays
/// "" (so that a name behind it stays relative).
PLATFORM_EXPORT std::string WithTrailingSeparator(const std::string& folder);

}  // namespace platform
