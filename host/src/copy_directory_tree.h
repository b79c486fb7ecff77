#pragma once

#include <string>

#include "ui/controls.h"

/// Copies the tree below `source` (every folder, empty ones included, and
/// every file, links to folders and files followed, each file with its
/// permission bits and write permission for its owner) to `destination`,
/// stepping `progress` as it goes. Each folder is copied once: where the source reaches
/// it again (through a link, or inside a linked folder), the copy holds a
/// relative link to its first copy. Refuses, before writing anything, an
/// empty destination, one that is the source, holds it or lies inside it, and
/// one whose paths would be too long; asks before writing into a destination
/// that holds entries already, and there replaces a link where the copy puts a
/// file or folder. A link that leads nowhere is copied as a link, unless it
/// leads somewhere from the copy's place; pipes, sockets, devices, entries
/// that cannot be read and links to a folder that holds the source are left
/// out. Each of these gets one line appended to `copyReport`, and the copy
/// goes on. Returns false, after its own message, when the user declined or a
/// step failed; what was copied before stays.
bool CopyDirectoryTree(std::string source, std::string destination, ui::ProgressControl& progress,
                       std::string& copyReport);
