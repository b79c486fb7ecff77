#pragma once

#include <string>

#include "platform/export.h"

namespace platform {

/// Lets the owner write the regular file at `path`, keeping its other
/// permission bits. A symbolic link is left alone, not followed. True when
/// the file is now writable by its owner; false when `path` is no regular
/// file or its permissions cannot be changed.
PLATFORM_EXPORT bool AddOwnerWritePermission(const std::string& path);

}  // namespace platform
