#pragma once

#include <boost/filesystem/path.hpp>
#include <string>

/// `path` made absolute, with links, "." and ".." resolved by the file system
/// as far as the path exists and the rest normalised as text. The working
/// folder is asked for only when `path` is relative; when it cannot be had
/// (it was deleted), the result is `path` normalised as text. Never throws.
boost::filesystem::path ResolvedPath(const std::string& path);
