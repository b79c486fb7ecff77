#pragma once

#include <string>

#include "file_search.h"

/// One line of the report about one path: "<path> => <what>" and a line feed.
std::string ReportLine(const std::string& path, const std::string& what);

/// The report line for a link at `path` that the program replaced by a file.
std::string ReplacedLinkLine(const std::string& path);

/// One report line for each link that a writer replaced by a file since the
/// last call (see platform::TakeReplacedLinks()); "" when there was none.
std::string ReplacedLinkLines();

/// What a walk's entry left out for `reason` is, to begin its report line:
/// "not a file, folder or link to one (a pipe, socket or device)", "could not
/// be read" or "folder could not be read"; "" for a link that was not
/// followed, which each caller words itself.
std::string LeftOutDescription(LeftOutReason reason);
