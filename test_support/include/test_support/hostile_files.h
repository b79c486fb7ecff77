#pragma once

#include <string>
#include <vector>

namespace test_support {

/// A file that every reader of XML files must refuse, with a report naming
/// its path once on standard error, without hanging or exhausting memory.
struct HostileFile {
  std::string what;  ///< for a test's failure message
  std::string path;
};

/// Makes in `folder` (which must exist) the hostile stand-ins for an XML file
/// whose root element is `root`: a named pipe that no one writes to, a link to
/// /dev/zero, a sparse file just over 64 MB, a document with one large entity
/// referenced many times and one whose nested parameter entities expand
/// without end.
std::vector<HostileFile> MakeHostileXmlFiles(const std::string& folder, const std::string& root);

/// A document with the root `root` whose entity of `length` characters is
/// referenced `references` times in the root's text.
std::string RepeatedEntityDocument(const std::string& root, int length, int references);

/// A document with the root `root` whose internal subset references a
/// parameter entity that expands tenfold per level, `levels` deep, each step
/// into `innermost`.
std::string ParameterEntityBomb(const std::string& root, int levels,
                                const std::string& innermost = "<!-- lol -->");

/// Makes a file of `size` bytes that takes no room on the disk.
void MakeSparseFile(const std::string& path, long long size);

/// The bytes that the file at `path` takes on the disk.
long long DiskUsage(const std::string& path);

}  // namespace test_support
