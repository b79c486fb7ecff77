#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "test_support/hostile_files.h"

namespace test_support {

/// A reader of XML files, as the test that every such reader must pass sees
/// it: each hostile stand-in for its files (MakeHostileXmlFiles) is refused
/// at once, without hanging or exhausting memory, and standard error names
/// the file.
struct XmlReader {
  std::string name;  ///< for the test's failure messages
  std::string root;  ///< the root element of the files it reads
  /// Reads the file with a fresh reader; false when it refused the file.
  std::function<bool(const std::string& path)> read;
  /// What else this reader promises after a refusal (its message, the state
  /// it keeps), given what it wrote on standard error; may be empty.
  std::function<void(const HostileFile& file, const std::string& errors)> check;
};

inline std::ostream& operator<<(std::ostream& out, const XmlReader& reader) {
  return out << reader.name;
}

/// Instantiate with INSTANTIATE_TEST_SUITE_P(Name, HostileXmlReaderTest,
/// testing::Values(XmlReader{...})) in a test program that links the
/// hostile-reader-test library.
class HostileXmlReaderTest : public testing::TestWithParam<XmlReader> {};

}  // namespace test_support
