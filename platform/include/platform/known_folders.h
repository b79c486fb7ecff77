#pragma once

#include <string>

#include "platform/export.h"

namespace platform {

enum class KnownFolder {
  Documents,  ///< XDG_DOCUMENTS_DIR of user-dirs.dirs, else $HOME/Documents
  Roaming,    ///< $XDG_CONFIG_HOME, else $HOME/.config
};

/// Writes the folder into `path` and returns true; false (path unchanged)
/// when the environment does not define it (no HOME, say).
PLATFORM_EXPORT bool GetKnownFolder(KnownFolder folder, std::string& path);

}  // namespace platform
