#pragma once

#include <string>

namespace test_support {

/// Writes `content` as the file's exact bytes, creating missing folders.
void WriteFile(const std::string& path, const std::string& content);

/// The file's exact bytes; "" when it cannot be read.
std::string ReadFile(const std::string& path);

bool Exists(const std::string& path);

}  // namespace test_support
