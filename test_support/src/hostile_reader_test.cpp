#include "test_support/hostile_reader_test.h"

#include "test_support/temp_dir.h"

namespace test_support {
namespace {

TEST_P(HostileXmlReaderTest, RefusesEveryHostileFileAndSaysWhich) {
  const XmlReader& reader = GetParam();
  TempDir folder;
  for (const HostileFile& file : MakeHostileXmlFiles(folder.Path(), reader.root)) {
    testing::internal::CaptureStderr();
    bool read = reader.read(file.path);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(read) << file.what;
    EXPECT_NE(errors.find(file.path), std::string::npos) << file.what << ": " << errors;
    if (reader.check) reader.check(file, errors);
  }
}

}  // namespace
}  // namespace test_support
