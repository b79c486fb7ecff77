#pragma once

#include <string>

/// One line of the report about one path: "<path> => <what>" and a line feed.
std::string ReportLine(const std::string& path, const std::string& what);

/// The report line for a link at `path` that the program replaced by a file.
std::string ReplacedLinkLine(const std::string& path);

/// One report line for each link that a writer replaced by a file since the
/// last call (see platform::TakeReplacedLinks()); "" when there was none.
std::string ReplacedLinkLines();
