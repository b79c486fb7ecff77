#include <cstdio>

#include "xmltree/text_utilities.h"

namespace xmltree {

void DumpString(std::string text) {
  std::printf("--- string ---\n");
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    std::printf("char[%d] = %c (%04X)\n", static_cast<int>(i), text[i], byte);
  }
  std::printf("\n");
}

void DumpString(std::u16string text) {
  std::printf("--- wstring --- \n");
  for (size_t i = 0; i < text.size(); ++i) {
    std::printf("char[%d] = %04X\n", static_cast<int>(i), static_cast<unsigned>(text[i]));
  }
  std::printf("\n");
}

}  // namespace xmltree
