// A session with the program's real windows on a virtual display, driven
// through the display server as a person would: a rule is added in the rule
// editor, a source project is converted to a fresh copy, the report is read
// and the main dialog is closed. Every window is caught on a screenshot.
// Arguments: the folder that receives the screenshots.

#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <boost/filesystem.hpp>

#include "copy_files_dlg.h"
#include "edit_subst_dlg.h"
#include "fake_install.h"
#include "icons.h"
#include "platform/program.h"
#include "screenshot.h"
#include "test_support/environment_override.h"
#include "test_support/files.h"
#include "ui/toolkit.h"
#include "varnock_dlg.h"
#include "view_report_dlg.h"
#include "window/window_probe.h"
#include "window_checks.h"

namespace {

using window_test::Check;
using window_test::ClickCenter;
using window_test::WaitUntil;
namespace probe = ui::window_probe;

// The rule the session adds, and what it makes of the example and the source.
const std::string kFrom = R"(\bblink\((\w+)\))";
const std::string kTo = "led_blink($1)";
const std::string kExampleLine = "    blink(LED2);";
const std::string kExampleOutput = "<Code example>\n    led_blink(LED2);";
const std::string kRewrittenLine =
    "{\n/*\n*CONVERTER REPLACED|REMOVED:\n*    blink(LED1)\n*/\n    led_blink(LED1);\n";
const std::string kPluginLine = "APPENDED BY TEST PLUG-IN: ";

void RemoveFile(const std::string& path) {
  boost::system::error_code ignored;
  boost::filesystem::remove(path, ignored);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The search expression of the first rule in a rules file.
std::string FirstFrom(const std::string& rulesFile) {
  const std::string text = test_support::ReadFile(rulesFile);
  const size_t start = text.find("<from>");
  const size_t end = text.find("</from>", start);
  if (start == std::string::npos || end == std::string::npos) return "";
  return text.substr(start + 6, end - start - 6);
}

// The installation the session runs in: the installed templates, the test
// plug-in that appends a line to the report, and a small source project. Its
// rewritten line is not the first one, to which no rule ever applies.
struct SessionInstall {
  SessionInstall() {
    CopyTemplates(TEMPLATE_DIR, install.templates);
    install.AddPlugin("extconvTestAppend");
    test_support::WriteFile(source + "/blink.c",
                            "/* Blink the status LED. */\n"
                            "#include \"board.h\"\n"
                            "\n"
                            "int main(void)\n"
                            "{\n"
                            "    blink(LED1);\n"
                            "    return 0;\n"
                            "}\n");
    test_support::WriteFile(source + "/blink.tproj", "test project\n");
    platform::OverrideProgramPath(install.bin + "/varnock");
  }
  ~SessionInstall() { platform::OverrideProgramPath(""); }

  // The real templates replace the fake installation's own.
  static void CopyTemplates(const boost::filesystem::path& from,
                            const boost::filesystem::path& to) {
    namespace fs = boost::filesystem;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
      const fs::path target = to / fs::relative(entry.path(), from);
      if (fs::is_directory(entry.path())) {
        fs::create_directories(target);
      } else {
        fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
      }
    }
  }

  FakeInstall install;
  test_support::EnvironmentOverride configHome{"XDG_CONFIG_HOME", install.home + "/.config"};
  const std::string source = install.temp / "projects/blink";
  const std::string destination = install.temp / "converted/blink";
  const std::string proposedDestination = install.documents + "/Qor Morwick/Conv/blink";
  const std::string rulesFile = install.UserFile("Varnock-Substitutions.xml");
  const std::string settingsFile = install.UserFile("Varnock.xml");
};

class Session {
 public:
  Session(const SessionInstall& install, const std::string& shots, CVarnockDlg& main)
      : install_(install), shots_(shots), main_(main) {}

  void Start() {
    probe::WhenNextModalShows(Expect(CVarnockDlg::kTemplateId, "the main dialog",
                                     [this](ui::Dialog&) { UseMainDialog(); }));
  }

  const std::vector<std::string>& Screenshots() const { return screenshots_; }

 private:
  using Step = std::function<void(ui::Dialog&)>;

  // The step for the next modal window, which must be the dialog of
  // `templateId`; any other window is a failure and is closed at once, so
  // that the session never waits for a person.
  static std::function<void(const ui::Rect&, ui::Dialog*)> Expect(int templateId,
                                                                  const std::string& name,
                                                                  Step step) {
    return [templateId, name, step](const ui::Rect& window, ui::Dialog* dialog) {
      const bool expected = dialog && dialog->Template().id == templateId;
      Check(expected, name + " opens");
      if (expected) {
        step(*dialog);
      } else if (dialog) {
        dialog->EndDialog(ui::kIdCancel);
      } else {
        window_test::PointAtCenter(window);
        probe::Press(probe::Keystroke::Enter);
      }
    };
  }

  // Saves a screenshot of the display and checks that `dialog` is on it.
  void Screenshot(const std::string& name, const ui::Dialog& dialog, const std::string& what) {
    const std::string path = shots_ + "/" + name;
    Check(window_test::ScreenshotShowing(path, probe::ScreenRect(dialog)), what + " is on screen");
    screenshots_.push_back(path);
  }

  // Types `text` into the edit `id` after a click into it.
  static void TypeInto(const ui::Dialog& dialog, int id, const std::string& text,
                       const std::string& what) {
    ClickCenter(probe::ScreenRect(dialog, id));
    probe::TypeText(text);
    CheckTextBecomes(dialog, id, text, what);
  }

  static void CheckTextBecomes(const ui::Dialog& dialog, int id, const std::string& text,
                               const std::string& what) {
    window_test::CheckBecomes([&] { return dialog.Item(id).GetText(); }, text, what);
  }

  void UseMainDialog() {
    Screenshot("session-main.png", main_, "the main dialog");
    Check(probe::ShownText(main_, CVarnockDlg::kConverterExtensions) == "*.tproj",
          "the test plug-in's extensions are shown");
    const ui::Rect combo = probe::ScreenRect(main_, CVarnockDlg::kConverterCombo);
    const ui::Rect label = probe::ScreenRect(main_, CVarnockDlg::kFileExtensionsLabel);
    Check(combo.y + combo.height <= label.y, "the project type box leaves the label below free");
    AddRule();
    TypeInto(main_, CVarnockDlg::kRootEdit, install_.source,
             "the source tree's path is typed into the root edit");
    Execute();
    Close();
  }

  void AddRule() {
    probe::WhenNextModalShows(Expect(CEditSubstDlg::kTemplateId, "the rule editor",
                                     [this](ui::Dialog& editor) { WriteRule(editor); }));
    ClickCenter(probe::ScreenRect(main_, CVarnockDlg::kAdd));
    Check(WaitUntil([this] { return editorDone_; }), "Add runs the rule editor to its end");
    const ui::ListViewControl& list = main_.List(CVarnockDlg::kRuleList);
    Check(list.GetItemText(0, 0) == "1" && list.GetItemText(0, 1) == kFrom &&
              list.GetItemText(0, 2) == kTo,
          "the new rule is rule 1");
    Check(probe::ShownText(main_, CVarnockDlg::kRuleList, 0, 1) == kFrom &&
              probe::ShownText(main_, CVarnockDlg::kRuleList, 0, 2) == kTo,
          "the list shows the new rule in its first row");
    Check(FirstFrom(install_.rulesFile) == kFrom, "the user's rules file starts with it");
  }

  void WriteRule(ui::Dialog& editor) {
    Check(editor.GetCaption() == "New substitution rule" && !editor.Item(ui::kIdOk).IsEnabled(),
          "a new rule starts with Save disabled");
    TypeInto(editor, CEditSubstDlg::kFromId, kFrom, "the search expression is typed");
    probe::Press(probe::Keystroke::Tab);
    probe::TypeText(kTo);
    CheckTextBecomes(editor, CEditSubstDlg::kToId, kTo,
                     "Tab moves on to To, and the replacement is typed there");

    // A click below the example's only line puts the caret at its end.
    const ui::Rect input = probe::ScreenRect(editor, CEditSubstDlg::kInputId);
    probe::ClickAt(input.x + input.width / 2, input.y + input.height - 10);
    probe::Press(probe::Keystroke::Enter);
    probe::TypeText(kExampleLine);
    CheckTextBecomes(editor, CEditSubstDlg::kInputId, "<Code example>\r\n" + kExampleLine,
                     "Enter in the example makes a new line");
    Check(probe::ShownText(editor, CEditSubstDlg::kOutputId) == kExampleOutput,
          "the output shows the rule applied to the example");
    Check(editor.Item(ui::kIdOk).IsEnabled(), "Save is enabled");
    probe::Press(probe::Keystroke::Tab);
    Check(WaitUntil([&] { return editor.Focus() == editor.FindControl(CEditSubstDlg::kFromId); }) &&
              editor.Item(CEditSubstDlg::kInputId).GetText().find('\t') == std::string::npos,
          "Tab leaves the example for From, as it leaves any box");
    Screenshot("session-rule-editor.png", editor, "the rule editor");

    ClickCenter(probe::ScreenRect(editor, ui::kIdOk));
    Check(WaitUntil([&] { return !probe::InModalLoop(editor); }), "Save closes the rule editor");
    if (probe::InModalLoop(editor)) editor.EndDialog(ui::kIdCancel);
    editorDone_ = true;
  }

  void Execute() {
    probe::WhenNextModalShows(Expect(
        CCopyFilesDlg::kTemplateId, "the destination dialog",
        [this](ui::Dialog& dialog) { ChooseDestination(static_cast<CCopyFilesDlg&>(dialog)); }));
    ClickCenter(probe::ScreenRect(main_, CVarnockDlg::kExecute));
    Check(WaitUntil([this] { return reportDone_; }, 60000), "Execute runs to the report's end");
    CheckConvertedCopy();
  }

  void ChooseDestination(CCopyFilesDlg& dialog) {
    Screenshot("session-destination.png", dialog, "the destination dialog");
    Check(probe::ShownText(dialog, CCopyFilesDlg::kDestinationId) == install_.proposedDestination,
          "the destination dialog proposes a folder named after the source");
    ClickCenter(probe::ScreenRect(dialog, CCopyFilesDlg::kDestinationId));
    probe::Press(probe::Keystroke::SelectAll);
    probe::TypeText(install_.destination);
    CheckTextBecomes(dialog, CCopyFilesDlg::kDestinationId, install_.destination,
                     "a fresh destination replaces the proposed one");

    probe::WhenNextModalShows(Expect(CViewReportDlg::kTemplateId, "the report dialog",
                                     [this](ui::Dialog& report) { ReadReport(report); }));
    probe::Press(probe::Keystroke::Enter);
    Check(WaitUntil([&] { return !probe::InModalLoop(dialog); }),
          "Enter in the destination edit presses OK");
    if (probe::InModalLoop(dialog)) dialog.EndDialog(ui::kIdCancel);
  }

  void ReadReport(ui::Dialog& report) {
    Screenshot("session-report.png", report, "the report dialog");
    const std::string shown = probe::ShownText(report, CViewReportDlg::kReportId);
    Check(Contains(shown, kPluginLine + install_.destination + "/blink.tproj\n") &&
              Contains(shown, "\nSource code substitutions\n") &&
              Contains(shown, "\nblink.c\nSubstitution:\n"),
          "the report dialog shows the report");
    // A person who clicked into the report to scroll closes it with Enter.
    ClickCenter(probe::ScreenRect(report, CViewReportDlg::kReportId));
    probe::Press(probe::Keystroke::Enter);
    Check(WaitUntil([&] { return !probe::InModalLoop(report); }), "Enter closes the report");
    if (probe::InModalLoop(report)) report.EndDialog(ui::kIdOk);
    reportDone_ = true;
  }

  void CheckConvertedCopy() {
    const std::string copy = test_support::ReadFile(install_.destination + "/blink.c");
    Check(Contains(copy, "int main(void)"), "the converted copy is in the destination");
    Check(Contains(copy, kRewrittenLine), "the copy holds the rewritten line under its comment");
    const std::string report = test_support::ReadFile(install_.destination + "/VarnockReport.txt");
    Check(Contains(report, kPluginLine + install_.destination + "/blink.tproj\r\n"),
          "the report file holds the plug-in's line");
  }

  // Close saves the settings and the rules; what Execute and the editor
  // wrote before is removed, so that the files come from Close itself.
  void Close() {
    RemoveFile(install_.settingsFile);
    RemoveFile(install_.rulesFile);
    ClickCenter(probe::ScreenRect(main_, ui::kIdCancel));
    Check(WaitUntil([this] { return !probe::InModalLoop(main_); }), "Close ends the main dialog");
    if (probe::InModalLoop(main_)) main_.EndDialog(ui::kIdCancel);
    Check(Contains(test_support::ReadFile(install_.settingsFile), install_.source),
          "Close writes the settings file with the root directory");
    Check(FirstFrom(install_.rulesFile) == kFrom, "Close writes the rules file");
  }

  const SessionInstall& install_;
  const std::string shots_;
  CVarnockDlg& main_;
  bool editorDone_ = false;
  bool reportDone_ = false;
  std::vector<std::string> screenshots_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: window_session_test SCREENSHOT_FOLDER" << std::endl;
    return 2;
  }
  SessionInstall install;  // before the toolkit starts, which reads the home folder
  if (!ui::StartUserInterface(argc, argv) || !ui::HasWindows()) {
    std::cerr << "FAILED: no windows on the display" << std::endl;
    return 1;
  }
  RegisterIcons();
  {
    CVarnockDlg main;
    Session session(install, argv[1], main);
    ui::SetMainWindow(&main);
    session.Start();
    main.DoModal();
    ui::SetMainWindow(nullptr);
    for (const std::string& path : session.Screenshots()) {
      std::cout << "screenshot: " << path << std::endl;
    }
  }
  const int failures = window_test::Failures();
  std::cout << (failures ? "window session test failed" : "window session test passed")
            << std::endl;
  return failures ? 1 : 0;
}
