#pragma once

#include <string>

namespace platform {

enum class KnownFolder {
  Documents,  ///< XDG_DOCUMENTS_DIR of user-dirs.dirs, else $HOME/Documents
  Roaming,    ///< $XDG_CONFIG_HOME, else $HOME/.config
};

/// Writes the folder into `path` and returns true; false (path unchanged)
/// when the environment does not define it (no HOME, say).
bool GetKnownFolder(KnownFolder folder, std::string& path);

}  // namespace platform
