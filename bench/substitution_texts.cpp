#include "substitution_texts.h"

#include <random>

namespace {

const char* const kRegisterNames[] = {"PORT", "DDR",  "PIN",  "TCCR", "TCNT",  "OCR",   "TIMSK",
                                      "TIFR", "UCSR", "UBRR", "UDR",  "ADCSR", "ADMUX", "SPCR",
                                      "SPSR", "TWBR", "TWCR", "EECR", "EEDR",  "GPIOR"};
const char* const kWords[] = {"Control",   "Status",  "Register", "Data",    "Timer/Counter",
                              "Interrupt", "Enable",  "Flag",     "Output",  "Compare",
                              "Mode",      "Select",  "Bit",      "USART",   "Prescaler",
                              "Baud Rate", "Channel", "Receive",  "Transmit"};

class TextWriter {
 public:
  explicit TextWriter(unsigned seed) : random_(seed) {}

  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::string Words(int count) {
    std::string words;
    for (int i = 0; i < count; ++i) words += std::string(i ? " " : "") + kWords[Pick(0, 18)];
    return words;
  }
  std::string Register() { return kRegisterNames[Pick(0, 19)] + std::to_string(Pick(0, 9)); }
  std::string Hex(int value) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[(value >> 4) & 15] + digits[value & 15];
  }

 private:
  std::mt19937 random_;
};

// One register and its bits, each described by a comment that names it, as
// vendor headers describe them; reserved gaps carry their address.
void WriteRegister(TextWriter& w, std::string& text, int number) {
  const std::string name = std::string(kRegisterNames[number % 20]) + std::to_string(number / 20);
  const int address = 0x20 + number % 0xE0;
  if (number % 5 == 0) {
    text += "/* Reserved [" + w.Hex(number >> 8) + w.Hex(number).substr(2) + "] */\n";
  }
  switch (number % 3) {
    case 0:
      text += "#define " + name + " _SFR_IO8(" + w.Hex(address - 0x20) + ")";
      break;
    case 1:
      text += "#define " + name + " _SFR_MEM8(" + w.Hex(address) + ")";
      break;
    default:
      text += "#define " + name + " _SFR_MEM16(" + w.Hex(address) + ")";
  }
  text += "  /* " + name + ": " + w.Words(3) + " */\n";
  for (int bit = 7; bit >= 0; --bit) {
    const std::string bitName = name + "_" + std::to_string(bit);
    text += "#define " + bitName + " " + std::to_string(bit);
    text += w.Pick(0, 9) == 0 ? "\n" : "  /* " + bitName + " " + w.Words(1) + " */\n";
  }
}

void WriteFunction(TextWriter& w, std::string& text, int number) {
  const std::string name = "task_" + std::to_string(number);
  if (w.Pick(0, 2) == 0) text += "/* " + w.Words(4) + ". */\n";
  text += "static void " + name + "(uint8_t value)\n{\n";
  for (int n = w.Pick(4, 12); n > 0; --n) {
    switch (w.Pick(0, 11)) {
      case 0:
        text += "    cli();\n";
        break;
      case 1:
        text += "    sei();  // " + w.Words(2) + "\n";
        break;
      case 2:
        text += "    _delay_ms(" + std::to_string(w.Pick(1, 500)) + ");\n";
        break;
      case 3:
        text += "    _delay_us(" + std::to_string(w.Pick(1, 90)) + ");\n";
        break;
      case 4:
        text += "    " + w.Register() + " |= _BV(" + w.Register() + "_3);\n";
        break;
      case 5:
        text += "    value += pgm_read_byte(&table[value & 7]);\n";
        break;
      case 6:
        text += "    wdt_reset();\n";
        break;
      case 7:
        text += "    asm volatile (\"nop\");\n";
        break;
      case 8:
        text += "    // " + w.Words(5) + "\n";
        break;
      case 9:
        text += "    if (value > " + std::to_string(w.Pick(0, 255)) +
                ") {\n        value = 0;\n    }\n";
        break;
      case 10:
        text += "    counter = pgm_read_word(&limits[" + std::to_string(w.Pick(0, 3)) + "]);\n";
        break;
      default:
        text += "    " + w.Register() + " = value;  /* " + w.Words(2) + " */\n";
    }
  }
  text += "}\n\n";
}

}  // namespace

RuleList TypicalRules() {
  return {{"#include\\s*<avr/io\\.h>",
           "#include\\s*<avr/interrupt\\.h>",
           "#include\\s*<util/delay\\.h>",
           "#include\\s*<avr/pgmspace\\.h>",
           "_BV\\((\\w+)\\)",
           "ISR\\((\\w+)_vect\\)",
           "\\bsei\\(\\)",
           "\\bcli\\(\\)",
           "_delay_ms\\((\\w+)\\)",
           "_delay_us\\((\\w+)\\)",
           "\\bPROGMEM\\b",
           "pgm_read_byte\\(([^)]*)\\)",
           "pgm_read_word\\(([^)]*)\\)",
           "\\bEEMEM\\b",
           "wdt_reset\\(\\)",
           "_SFR_MEM8\\((0x[0-9A-Fa-f]+)\\)",
           "_SFR_MEM16\\((0x[0-9A-Fa-f]+)\\)",
           "_SFR_IO8\\((0x[0-9A-Fa-f]+)\\)",
           "asm\\s+volatile\\s*\\(\\s*\"nop\"\\s*\\)",
           "\\bSIGNAL\\((\\w+)\\)"},
          {"#include <ioavr.h>",
           "#include <intrinsics.h>",
           "#include <intrinsics.h>",
           "#include <pgmspace.h>",
           "(1 << $1)",
           "#pragma vector = $1_vect\n__interrupt void $1_handler(void)",
           "__enable_interrupt()",
           "__disable_interrupt()",
           "__delay_cycles((F_CPU / 1000UL) * ($1))",
           "__delay_cycles((F_CPU / 1000000UL) * ($1))",
           "__flash",
           "(*($1))",
           "(*($1))",
           "__eeprom",
           "__watchdog_reset()",
           "(*(volatile unsigned char *)($1))",
           "(*(volatile unsigned int *)($1))",
           "(*(volatile unsigned char *)(($1) + 0x20))",
           "__no_operation()",
           "#pragma vector = $1\n__interrupt void $1_handler(void)"}};
}

std::string TypicalCFile(size_t bytes) {
  TextWriter w(1);
  std::string text =
      "/*\n * main.c - firmware of the " + w.Words(2) + " board\n *\n * " + w.Words(6) +
      "\n */\n#include <avr/io.h>\n#include <avr/interrupt.h>\n#include <util/delay.h>\n"
      "#include <avr/pgmspace.h>\n#include <avr/eeprom.h>\n\n#define LED PB5  // on-board LED\n\n"
      "static const uint8_t table[8] PROGMEM = {1, 2, 4, 8, 16, 32, 64, 128};\n"
      "static const uint16_t limits[4] PROGMEM = {100, 200, 400, 800};\n"
      "uint8_t EEMEM settings[16];\nvolatile uint16_t counter;\n\n";
  for (int number = 0; text.size() < bytes; ++number) {
    if (number % 6 == 0) {
      text += "ISR(TIMER" + std::to_string(number % 3) +
              "_COMPA_vect)\n{\n    counter++;  // tick\n}\n\n";
    } else if (number % 17 == 0) {
      text += "SIGNAL(SIG_OVERFLOW" + std::to_string(number % 3) + ")\n{\n    counter = 0;\n}\n\n";
    }
    WriteFunction(w, text, number);
  }
  return text;
}

std::string RegisterHeader(size_t bytes) {
  TextWriter w(2);
  std::string text = "/*\n * Register definitions of the device.\n *\n * Generated file.\n */\n\n";
  text += "#ifndef DEVICE_IO_H\n#define DEVICE_IO_H\n\n";
  for (int number = 0; text.size() < bytes; ++number) {
    if (number % 16 == 0) {
      text += "/*\n * Peripheral " + std::to_string(number / 16) + ": " + w.Words(3) + "\n * " +
              std::string(30, '-') + "\n * " + w.Words(8) + "\n * " + w.Words(7) + "\n */\n\n";
    }
    WriteRegister(w, text, number);
    text += "\n";
  }
  return text + "#endif  /* DEVICE_IO_H */\n";
}

std::string RepeatedCommentLines(size_t lines) {
  std::string text;
  for (size_t i = 0; i < lines; ++i) text += "int a; /* c */ x = y;\n";
  return text;
}

std::string PortBitHeader(size_t lines) {
  std::string text;
  for (size_t i = 0; i < lines; ++i) {
    text += "#define PB" + std::to_string(i) + " " + std::to_string(i % 8) + "  /* PORTB bit */\n";
  }
  return text;
}

std::string OverlappingComments(size_t lines) {
  std::string text;
  for (size_t j = 1; j <= lines; ++j) {
    for (size_t copy = 0; copy < j; ++copy) text += "/* a */ ";
    text += "\n";
  }
  return text;
}

size_t CountBlockComments(const std::string& text) {
  size_t count = 0;
  for (size_t at = text.find("/*"); at != std::string::npos; at = text.find("/*", at + 2)) ++count;
  return count;
}
