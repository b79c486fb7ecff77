#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reg_exp_converter.h"
#include "ui/headless.h"
#include "ui/message_box.h"

/// Runs the engine on one file with a rule list and keeps what it gave back.
class ConverterTest : public ::testing::Test {
 protected:
  static constexpr const char* kPath = "/work/project/src/main.c";

  void SetUp() override { ui::headless::Reset(); }

  int Convert(const std::string& text, const std::vector<std::string>& froms,
              const std::vector<std::string>& tos, bool silent = true) {
    RegExpConverter converter(silent, AskInMessageBox);
    out.clear();
    return converter.ConvertText(text, froms, tos, out, kPath, report);
  }

  /// The engine's question, put as the program puts it: in a message box
  /// without owner.
  static bool AskInMessageBox(const std::string& text, const std::string& caption) {
    return ui::MessageBox(nullptr, text, caption, ui::Buttons::YesNo) == ui::Answer::Yes;
  }

  /// `text` after the single rule foo -> bar.
  std::string FooToBar(const std::string& text) {
    Convert(text, {"foo"}, {"bar"});
    return out;
  }

  /// The comment block that a rewritten line gets, from the line break in
  /// front of it: it quotes the line prefix and the matched text.
  static std::string Block(const std::string& quoted) {
    return "\n/*\n*CONVERTER REPLACED|REMOVED:\n*" + quoted + "\n*/\n";
  }

  std::string out;
  std::string report;
};
