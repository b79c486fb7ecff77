// The shipped substitution rules on real AVR sources: every line they rewrite
// must still be code that a compiler takes.
#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <boost/regex.hpp>
#include <string>
#include <vector>

#include "config_file.h"
#include "platform/text_file.h"
#include "reg_exp_converter.h"
#include "test_support/files.h"
#include "ui/headless.h"

namespace {

const char kBlockHead[] = "*CONVERTER REPLACED|REMOVED:";

struct RewrittenLine {
  std::string before, after;
  bool operator==(const RewrittenLine& other) const {
    return before == other.before && after == other.after;
  }
};

std::ostream& operator<<(std::ostream& out, const RewrittenLine& line) {
  return out << "\n- " << line.before << "\n+ " << line.after;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The lines without the comment blocks ("/*", the head line, the old text,
// "*/") that the substitution pass puts above each line it rewrites.
std::vector<std::string> WithoutCommentBlocks(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == "/*" && i + 1 < lines.size() && lines[i + 1] == kBlockHead) {
      for (i += 2; i < lines.size() && lines[i] != "*/";) ++i;
    } else {
      kept.push_back(lines[i]);
    }
  }
  return kept;
}

// Every line of `rewritten` that differs from its line in `original`.
std::vector<RewrittenLine> RewrittenLines(const std::string& original,
                                          const std::string& rewritten) {
  const std::vector<std::string> before = Lines(original);
  const std::vector<std::string> after = WithoutCommentBlocks(Lines(rewritten));
  EXPECT_EQ(before.size(), after.size()) << "the rules added or removed lines";
  std::vector<RewrittenLine> changed;
  for (size_t i = 0; i < std::min(before.size(), after.size()); ++i) {
    if (before[i] != after[i]) changed.push_back({before[i], after[i]});
  }
  return changed;
}

// The brackets of `line` that do not pair up within it, in order: those
// that close or open something on another line, and any that cross.
std::string UnpairedBrackets(const std::string& line) {
  std::string open;
  for (char c : line) {
    if (c == '(' || c == '[' || c == '{') {
      open += c;
    } else if (c == ')' || c == ']' || c == '}') {
      const char opener = c == ')' ? '(' : c == ']' ? '[' : '{';
      if (!open.empty() && open.back() == opener) {
        open.pop_back();
      } else {
        open += c;
      }
    }
  }
  return open;
}

// The directive's name and the macro name behind it ("define", "LED"); two
// empty texts for a line that is no directive.
std::pair<std::string, std::string> DirectiveOf(const std::string& line) {
  static const boost::regex kDirective(R"(^\s*#\s*(\w+)(?:\s+([A-Za-z_]\w*))?)");
  boost::smatch match;
  if (!boost::regex_search(line, match, kDirective)) return {};
  return {match[1], match[2]};
}

bool HasEmptyDefined(const std::string& line) {
  static const boost::regex kEmptyDefined(R"(\bdefined\b(?!\s*\(?\s*[A-Za-z_]))");
  return boost::regex_search(line, kEmptyDefined);
}

// What breaks the rewritten line where the old one was sound; "" when
// nothing does. A directive keeps its name and the name of the macro it
// defines or tests, and the brackets pair up as they did.
std::string Breakage(const RewrittenLine& line) {
  const auto [directive, macro] = DirectiveOf(line.before);
  const auto [newDirective, newMacro] = DirectiveOf(line.after);
  if (directive != newDirective) return "the directive #" + directive + " lost its name";
  const bool namesMacro = directive == "define" || directive == "undef" || directive == "ifdef" ||
                          directive == "ifndef";
  if (namesMacro && macro != newMacro) return "#" + directive + " lost its macro " + macro;
  if (HasEmptyDefined(line.after) && !HasEmptyDefined(line.before)) {
    return "defined lost its macro";
  }
  if (UnpairedBrackets(line.before) != UnpairedBrackets(line.after)) {
    return "the brackets no longer pair up";
  }
  return "";
}

class ShippedRulesTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    ASSERT_TRUE(rules.ReadRules(TEMPLATE_DIR "/Varnock-Substitutions.xml"));
  }

  // The text as the substitution pass of a run leaves it.
  std::string Substituted(const std::string& text, const std::string& path = "/src/x.c") {
    std::string out, report;
    EXPECT_EQ(RegExpConverter(true).ConvertText(text, rules.froms, rules.tos, out, path, report),
              RegExpConverter::kChanged)
        << report;
    return out;
  }

  ConfigFile rules;
};

TEST_F(ShippedRulesTest, RealAvrSourcesKeepEveryRewrittenLineSound) {
  namespace fs = boost::filesystem;
  int files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(TESTDATA_DIR)) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".c" && extension != ".S") continue;
    SCOPED_TRACE(entry.path().string());
    const std::string text = platform::FromTextMode(test_support::ReadFile(entry.path().string()));
    const std::vector<RewrittenLine> changed = RewrittenLines(text, Substituted(text));
    EXPECT_FALSE(changed.empty());
    for (const RewrittenLine& line : changed) EXPECT_EQ(Breakage(line), "") << line;
    ++files;
  }
  EXPECT_EQ(files, 6);
}

// Lines as they stand in real firmware (portable headers that define
// PROGMEM or _BV themselves, font and descriptor tables read from flash):
// the rules rewrite the uses and leave every directive the name it defines
// or tests; a read whose address is more than an element stays as it is.
TEST_F(ShippedRulesTest, UsesAreRewrittenAndDirectivesKeepTheirNames) {
  const std::string text =
      "/* lines of real firmware */\n"
      "#include <avr/io.h>\n"
      "#include <util/delay.h>\n"
      "#if !defined(__AVR__)\n"
      "#define PROGMEM\n"
      "#  define PROGMEM __attribute__((__progmem__))\n"
      "#ifndef PROGMEM\n"
      "#undef\tPROGMEM\n"
      "#elif defined(PROGMEM) || defined PROGMEM\n"
      "#define FLASH_DATA PROGMEM\n"
      "static const char banner[] PROGMEM = \"ready\";\n"
      "PROGMEM const uint8_t table[] = {1, 2};\n"
      "#define _BV(bit) (1 << (bit))\n"
      "#define LED_MASK _BV(PB5)\n"
      "    DDRB |= _BV(PB5);\n"
      "#define _delay_ms(ms) wait(ms)\n"
      "\t_delay_ms(250);\n"
      "    sei(); _delay_us(10); cli();\n"
      "    asm volatile(\"nop\");\n"
      "ISR(TIMER0_OVF_vect)\n"
      "    c = pgm_read_byte(&font[(ch - 32) * 5 + i]);\n"
      "    n = pgm_read_byte( &desc->bLength );\n"
      "    c = pgm_read_byte(&table[i] + 1);\n"
      "    c = pgm_read_byte(&map[idx[i]]);\n";
  const std::vector<RewrittenLine> changed = RewrittenLines(text, Substituted(text));
  EXPECT_EQ(
      changed,
      (std::vector<RewrittenLine>{
          {"#include <avr/io.h>", "#include \"device.h\""},
          {"#include <util/delay.h>", "#include \"delay.h\""},
          {"#define FLASH_DATA PROGMEM", "#define FLASH_DATA"},
          {"static const char banner[] PROGMEM = \"ready\";",
           "static const char banner[] = \"ready\";"},
          {"PROGMEM const uint8_t table[] = {1, 2};", " const uint8_t table[] = {1, 2};"},
          {"#define LED_MASK _BV(PB5)", "#define LED_MASK (1 << (PB5))"},
          {"    DDRB |= _BV(PB5);", "    DDRB |= (1 << (PB5));"},
          {"\t_delay_ms(250);", "\tdelay_ms(250);"},
          {"    sei(); _delay_us(10); cli();",
           "    interrupts_enable(); delay_us(10); interrupts_disable();"},
          {"    asm volatile(\"nop\");", "    no_operation();"},
          {"ISR(TIMER0_OVF_vect)", "INTERRUPT_HANDLER(TIMER0_OVF)"},
          {"    c = pgm_read_byte(&font[(ch - 32) * 5 + i]);", "    c = font[(ch - 32) * 5 + i];"},
          {"    n = pgm_read_byte( &desc->bLength );", "    n = desc->bLength;"}}));
  for (const RewrittenLine& line : changed) EXPECT_EQ(Breakage(line), "") << line;
}

}  // namespace
