#pragma once

#include <string>

#include "ui/controls.h"

/// Copies the tree below `source` (every folder, empty ones included, and
/// every file) to `destination`, stepping `progress` as it goes. Asks before
/// writing into a destination that was used before, and refuses an empty
/// destination and one that is the source itself. Returns false, after its own message, when the
/// user declined or a step failed; what was copied before stays.
bool CopyDirectoryTree(std::string source, std::string destination,
                       ui::ProgressControl& progress);
