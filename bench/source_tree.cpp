// Writes the source tree of the tree benchmark: C files of about 20 KB each
// in nested folders, with line and block comments, every fifth file with
// CR LF line ends, and calls of foo0( .. foo19( on about 2% of the lines
// (a few more inside comments, and near misses such as "food3(" that a
// rule must not take). The same seed always gives the same tree.
//
// Usage: bench_source_tree FOLDER [FILES [SEED]]   (defaults 2000 and 1)
#include <boost/filesystem.hpp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr size_t kFileBytes = 20 * 1024;

// A small generator whose sequence is fixed by its seed on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

  /// A number in [0, bound).
  unsigned Below(unsigned bound) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<unsigned>(state_ % bound);
  }

 private:
  uint64_t state_;
};

const char* const kWords[] = {"buffer", "counter", "value", "state", "index", "flags",
                              "timer",  "channel", "level", "mode",  "limit", "sample"};

std::string Word(Random& random) { return kWords[random.Below(12)]; }

std::string Number(Random& random, unsigned bound) { return std::to_string(random.Below(bound)); }

// One line of a function body, without its line end.
std::string BodyLine(Random& random) {
  const unsigned kind = random.Below(100);
  const std::string rule = Number(random, 20);
  if (kind < 2) return "    foo" + rule + "(" + Word(random) + ", " + Number(random, 99) + ");";
  if (kind < 3) return "    // foo" + rule + "(" + Word(random) + ") is called elsewhere";
  if (kind < 6) return "    food" + rule + "(" + Word(random) + "); xfoo" + rule + "(1);";
  if (kind < 14) return "    // " + Word(random) + " " + Word(random) + " " + Word(random);
  if (kind < 18) return "    /* " + Word(random) + " of the " + Word(random) + " */";
  if (kind < 30) {
    return "    if (" + Word(random) + " > " + Number(random, 255) + ") " + Word(random) + " = 0;";
  }
  if (kind < 45) {
    return "    " + Word(random) + " += " + Word(random) + " * " + Number(random, 16) + ";  // " +
           Word(random);
  }
  if (kind < 55) return "    " + Word(random) + "_" + rule + "(" + Word(random) + ");";
  if (kind < 62) return "    /* " + Word(random) + " */ " + Word(random) + "++;";
  if (kind < 70) return "";
  return "    uint8_t " + Word(random) + "_" + Number(random, 9) + " = " + Word(random) + ";";
}

std::string SourceFile(Random& random, unsigned number) {
  std::string text = "/*\n * module_" + std::to_string(number) +
                     ".c\n *\n * Part of the generated benchmark tree.\n */\n"
                     "#include <stdint.h>\n#include \"module.h\"\n\n";
  for (unsigned function = 0; text.size() < kFileBytes; ++function) {
    if (random.Below(3) == 0) {
      text += "/*\n * " + Word(random) + " " + Word(random) + "\n * " + Word(random) + "\n */\n";
    }
    text += "void module_" + std::to_string(number) + "_" + std::to_string(function) + "(uint8_t " +
            Word(random) + ")\n{\n";
    for (unsigned line = 8 + random.Below(16); line > 0; --line) text += BodyLine(random) + "\n";
    text += "}\n\n";
  }
  return text;
}

std::string WithCrLf(const std::string& text) {
  std::string converted;
  converted.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  return converted;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::cerr << "usage: bench_source_tree FOLDER [FILES [SEED]]\n";
    return 2;
  }
  const std::string root = argv[1];
  const unsigned files = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2000;
  Random random(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1);
  for (unsigned number = 0; number < files; ++number) {
    const std::string folder =
        root + "/lib" + std::to_string(number / 200) + "/part" + std::to_string(number / 20 % 10);
    boost::filesystem::create_directories(folder);
    const std::string text = SourceFile(random, number);
    std::ofstream file(folder + "/module_" + std::to_string(number) + ".c", std::ios::binary);
    file << (number % 5 == 0 ? WithCrLf(text) : text);
    if (!file) {
      std::cerr << "cannot write below " << folder << "\n";
      return 1;
    }
  }
  return 0;
}
