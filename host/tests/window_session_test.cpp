// A session with the program's real windows on a virtual display, driven
// through the display server as a person would: a rule is added in the rule
// editor, the main dialog is tried with the keyboard and the pointer, a
// source project is converted to a fresh copy in a folder made in the folder
// chooser, the report is read and the main dialog is closed. A second run in
// test mode stops early and leaves the main dialog open. A third session
// picks a project named in ISO-8859-1 in the folder chooser and converts it
// with a rule that does not compile: the question and the report show their
// texts. Every window is caught on a screenshot. Arguments: the folder that
// receives the screenshots.

#include <boost/filesystem.hpp>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "copy_files_dlg.h"
#include "edit_subst_dlg.h"
#include "fake_install.h"
#include "icons.h"
#include "ini_file.h"
#include "platform/program.h"
#include "screenshot.h"
#include "test_support/environment_override.h"
#include "test_support/files.h"
#include "ui/toolkit.h"
#include "varnock_dlg.h"
#include "view_report_dlg.h"
#include "window_checks.h"
#include "window_probe.h"

namespace {

using window_test::Check;
using window_test::ClickCenter;
using window_test::PointAtCenter;
using window_test::WaitUntil;
using window_test::WindowsOnScreen;
namespace probe = ui::window_probe;
using Id = CVarnockDlg::ControlId;

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

// The text without its blanks and line breaks, which wrapping may change.
std::string Squeezed(const std::string& text) {
  std::string squeezed;
  for (char c : text) {
    if (c != ' ' && c != '\n') squeezed += c;
  }
  return squeezed;
}

bool Inside(const ui::Rect& inner, const ui::Rect& outer) {
  return inner.width > 0 && inner.height > 0 && inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

// Whether the middles of the two rectangles lie within a few pixels.
bool SameMiddle(const ui::Rect& first, const ui::Rect& second) {
  constexpr int kSlack = 3;
  return std::abs((first.x + first.width / 2) - (second.x + second.width / 2)) <= kSlack &&
         std::abs((first.y + first.height / 2) - (second.y + second.height / 2)) <= kSlack;
}

// A strip inside the right end of an edit, where its text does not reach.
ui::Rect EmptyEnd(const ui::Rect& edit) {
  return {edit.x + edit.width - 16, edit.y + 5, 10, edit.height - 10};
}

// The pointer rests on `rect` after a few small moves, as a hand makes them.
void Hover(const ui::Rect& rect) {
  for (int step = 0; step < 8; ++step) {
    probe::PointAt(rect.x + rect.width / 3 + step, rect.y + rect.height / 2);
    probe::HandleEventsFor(50);
  }
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
    boost::filesystem::create_directories(install.documents);
    test_support::WriteFile(latin1Source + "/caf\xE9.c",
                            "int main(void)\n{\n    char c = '\xE9';\n    return 0;\n}\n");
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
  const std::string newFolder = install.documents + "/fresh";
  const std::string testModeSettings = install.temp / "test-mode.xml";
  const std::string testModeDestination = install.temp / "test-mode/blink";
  // A project whose folder and file are named in ISO-8859-1, alone in its
  // parent folder, converted with a rule that does not compile.
  const std::string latin1Parent = install.temp / "latin1";
  const std::string latin1Source = latin1Parent + "/proj-caf\xE9";
  const std::string latin1Destination = install.documents + "/Qor Morwick/Conv/proj-caf\xE9";
};

class Session {
 public:
  Session(const SessionInstall& install, const std::string& shots, CVarnockDlg& main)
      : install_(install), shots_(shots), main_(main) {}

  void Start() {
    probe::WhenNextModalShows(Expect(CVarnockDlg::kTemplateId, "the main dialog",
                                     [this](ui::Dialog&) { UseMainDialog(); }));
  }

  // A test-mode run that stops at its first message leaves the main dialog
  // open, which the session then inspects and closes.
  void StartEarlyStop() {
    probe::WhenNextModalShows([this](const ui::Rect& box, ui::Dialog* dialog) {
      Check(!dialog && probe::ShownMessageBox().text == "The extension *.* is not permitted.",
            "the test-mode run stops at the extension *.*");
      probe::WhenNextModalShows(Expect(CVarnockDlg::kTemplateId, "the main dialog after the stop",
                                       [this](ui::Dialog&) { CheckEarlyStop(); }));
      PointAtCenter(box);
      probe::Press(probe::Keystroke::Enter);
    });
  }

  // The root folder's parent is set; the session picks the project named
  // in ISO-8859-1 in the folder chooser and converts it.
  void StartLatin1() {
    probe::WhenNextModalShows(Expect(CVarnockDlg::kTemplateId, "the main dialog",
                                     [this](ui::Dialog&) { ConvertLatin1(); }));
  }

  // The main dialog as a user first sees it, with the real plug-in: the
  // picture of the program that the README shows.
  void StartPicture() {
    probe::WhenNextModalShows(Expect(CVarnockDlg::kTemplateId, "the main dialog",
                                     [this](ui::Dialog&) { TakePicture(); }));
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

  // Saves a screenshot of the display and checks that `dialog` (or the
  // window at `window`) is on it; returns the screenshot's path.
  std::string Screenshot(const std::string& name, const ui::Dialog& dialog,
                         const std::string& what) {
    return Screenshot(name, probe::ScreenRect(dialog), what);
  }
  std::string Screenshot(const std::string& name, const ui::Rect& window, const std::string& what) {
    const std::string path = shots_ + "/" + name;
    probe::HandleEventsFor(500);  // the last changes are painted, fades included
    Check(window_test::ScreenshotShowing(path, window), what + " is on screen");
    screenshots_.push_back(path);
    return path;
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
    const std::string shot = Screenshot("session-main.png", main_, "the main dialog");
    Check(probe::ShownText(main_, Id::kConverterExtensions) == "*.tproj",
          "the test plug-in's extensions are shown");
    const ui::Rect combo = probe::ScreenRect(main_, Id::kConverterCombo);
    const ui::Rect label = probe::ScreenRect(main_, Id::kFileExtensionsLabel);
    Check(combo.y + combo.height <= label.y, "the project type box leaves the label below free");
    CheckStatesShown(shot);
    AddRule();
    CheckExtensionListCloseUp();
    CheckTabStops();
    CheckMnemonicsFromTheRuleList();
    CheckHelpBox();
    CheckTooltipUnderQuestion();
    CheckDisabledRuleList();
    TypeInto(main_, Id::kRootEdit, install_.source,
             "the source tree's path is typed into the root edit");
    Execute();
    Close();
  }

  // At the start the converter Enable box has the focus and rule 1 is
  // selected.
  void CheckStatesShown(const std::string& shot) {
    Check(main_.List(Id::kRuleList).GetItemState(0, ui::kItemSelected) &&
              !probe::ShownSelected(main_, Id::kRuleList, 0),
          "the rule list without the focus does not draw its selected rule");
    const double readOnly =
        window_test::MeanLevel(shot, EmptyEnd(probe::ScreenRect(main_, Id::kConverterExtensions)));
    const double editable =
        window_test::MeanLevel(shot, EmptyEnd(probe::ScreenRect(main_, Id::kRootEdit)));
    Check(readOnly >= 0 && editable >= 0 && std::abs(readOnly - editable) > 0.01,
          "the read-only extension edit is drawn unlike an editable one");

    const std::set<std::string> before = WindowsOnScreen();
    const ui::Rect converter = probe::ScreenRect(main_, Id::kConverterCombo);
    probe::ClickAt(converter.x + 20, converter.y + converter.height / 2);
    const std::set<std::string> types = window_test::WindowsOpenedSince(before);
    Check(!types.empty(), "a click on the text of the project type list opens the list");
    Screenshot("session-project-types.png", main_, "the open project type list");
    probe::Press(probe::Keystroke::Escape);
    Check(WaitUntil([&] { return window_test::NoneOnScreen(types); }), "Escape closes it again");
    Check(WaitUntil([&] {
            return probe::ToolkitFocus(main_) == main_.FindControl(Id::kConverterCombo) &&
                   main_.Focus() == main_.FindControl(Id::kConverterCombo);
          }),
          "the project type list has the focus, and the dialog knows it");
  }

  // Closed with Escape, the extension list hands the focus to the rule list,
  // so that the next Down key moves through the rules, never through the
  // extension lists.
  void CheckExtensionListCloseUp() {
    const ui::ListViewControl& list = main_.List(Id::kRuleList);
    ClickCenter(probe::RowScreenRect(main_, Id::kRuleList, 0));
    const std::string extensions = main_.Combo(Id::kExtensionCombo).GetText();
    const std::set<std::string> before = WindowsOnScreen();
    const ui::Rect combo = probe::ScreenRect(main_, Id::kExtensionCombo);
    probe::ClickAt(combo.x + combo.width - 8, combo.y + combo.height / 2);
    const std::set<std::string> lists = window_test::WindowsOpenedSince(before);
    Check(!lists.empty(), "a click on its arrow drops the extension list down");
    probe::Press(probe::Keystroke::Escape);
    const ui::Control* rules = main_.FindControl(Id::kRuleList);
    Check(WaitUntil([&] {
            return window_test::NoneOnScreen(lists) && probe::ToolkitFocus(main_) == rules &&
                   main_.Focus() == rules;
          }),
          "Escape closes the extension list and the focus moves to the rule list");
    Check(main_.Item(Id::kEdit).IsEnabled() && probe::ShownSelected(main_, Id::kRuleList, 0),
          "the rule list with the focus shows rule 1 selected and Edit is enabled");
    Screenshot("session-extension-list-closed.png", main_, "the main dialog after Escape");
    probe::Press(probe::Keystroke::Down);
    Check(WaitUntil([&] { return list.GetItemState(1, ui::kItemSelected) != 0; }) &&
              main_.Combo(Id::kExtensionCombo).GetText() == extensions,
          "Down then selects rule 2 and leaves the extension list as it was");
  }

  // Checks that the focus arrives at the control `id`, as the toolkit and as
  // the dialog have it.
  void CheckFocusArrives(int id, const std::string& what) {
    const ui::Control* control = main_.FindControl(id);
    const bool arrived = WaitUntil(
        [&] { return probe::ToolkitFocus(main_) == control && main_.Focus() == control; }, 5000);
    Check(arrived, what);
  }

  void CheckTabStops() {
    const ui::Rect combo = probe::ScreenRect(main_, Id::kExtensionCombo);
    probe::ClickAt(combo.x + 20, combo.y + combo.height / 2);
    CheckFocusArrives(Id::kExtensionCombo, "a click into the extension box gives it the focus");
    probe::Press(probe::Keystroke::Tab);
    CheckFocusArrives(Id::kExecute, "one Tab leaves the extension box for Execute");
    probe::Press(probe::Keystroke::BackTab);
    CheckFocusArrives(Id::kExtensionCombo, "one Shift+Tab comes back to it");
    // Clicked twice, the converter Enable box stays checked.
    ClickCenter(probe::ScreenRect(main_, Id::kConverterEnable));
    ClickCenter(probe::ScreenRect(main_, Id::kConverterEnable));
    CheckFocusArrives(Id::kConverterEnable, "a click on the converter Enable box focuses it");
    probe::Press(probe::Keystroke::Tab);
    probe::Press(probe::Keystroke::Tab);
    CheckFocusArrives(Id::kConverterCombo, "two Tabs reach the project type list");
    probe::Press(probe::Keystroke::Tab);
    CheckFocusArrives(Id::kConverterExtensions, "one more Tab leaves it for its extensions");
  }

  void CheckMnemonicsFromTheRuleList() {
    ClickCenter(probe::RowScreenRect(main_, Id::kRuleList, 0));
    CheckFocusArrives(Id::kRuleList, "a click on rule 1 gives the rule list the focus");
    bool edited = false;
    probe::WhenNextModalShows(
        Expect(CEditSubstDlg::kTemplateId, "the rule editor", [&](ui::Dialog& editor) {
          edited = editor.GetCaption() == "Edit substitution rule";
          editor.EndDialog(ui::kIdCancel);
        }));
    probe::PressAlt('t');
    Check(WaitUntil([&] { return edited; }), "Alt+T in the rule list edits the selected rule");

    CheckFocusArrives(Id::kRuleList, "the rule list has the focus again");
    std::string asked;
    bool captionRoom = false;
    probe::WhenNextModalShows([&](const ui::Rect& box, ui::Dialog*) {
      asked = probe::ShownMessageBox().text;
      // Room for the caption in bold beside a title bar's icon and three
      // buttons, some 22 pixels each.
      captionRoom = box.width >= probe::CaptionTextWidth() + 4 * 22;
      PointAtCenter(box);
      probe::Press(probe::Keystroke::Enter);
    });
    probe::PressAlt('e');
    Check(WaitUntil([&] { return !asked.empty(); }) && asked == "You must choose a directory",
          "Alt+E in the rule list executes, which asks for the root directory first");
    Check(captionRoom,
          "the box that asks is wide enough for its caption, \"Directory not chosen\"");
  }

  void CheckHelpBox() {
    bool closed = false;
    probe::WhenNextModalShows([&](const ui::Rect& box, ui::Dialog*) {
      const probe::ShownMessage help = probe::ShownMessageBox();
      Check(box.width <= probe::ScreenArea().width * 2 / 3,
            "the help box is at most two thirds of the screen wide");
      const std::string text = Squeezed(help.text);
      Check(help.whole && text.rfind("Thesubstitutionrules", 0) == 0 &&
                Contains(text, "Youcanexportyoursubstitutionrules") &&
                text.substr(text.size() - 24) == "foruseonanothercomputer.",
            "the help box shows the whole help text, its last paragraph too");
      Screenshot("session-help.png", box, "the help box");
      PointAtCenter(box);
      probe::Press(probe::Keystroke::Enter);
      closed = true;
    });
    ClickCenter(probe::ScreenRect(main_, Id::kSubstitutionHelp));
    Check(WaitUntil([&] { return closed; }), "the help box opens and Enter closes it");
  }

  // A tooltip of the main dialog never shows over a message box that the
  // dialog opens, however the pointer moves over the dialog below.
  void CheckTooltipUnderQuestion() {
    ClickCenter(probe::RowScreenRect(main_, Id::kRuleList, 0));
    CheckFocusArrives(Id::kRuleList, "rule 1 is selected for Remove");
    const std::set<std::string> before = WindowsOnScreen();
    const ui::Rect remove = probe::ScreenRect(main_, Id::kRemove);
    Hover(remove);
    const std::set<std::string> tooltip = window_test::WindowsOpenedSince(before);
    Check(!tooltip.empty(), "Remove, inside its group box, shows its tooltip");
    const int rules = main_.List(Id::kRuleList).GetItemCount();
    bool asked = false;
    probe::WhenNextModalShows([&](const ui::Rect& box, ui::Dialog*) {
      Hover(remove);
      probe::HandleEventsFor(1500);
      Check(window_test::NoneOnScreen(tooltip),
            "while Remove asks its question, no tooltip shows, though the pointer rests on Remove");
      Screenshot("session-question-without-tooltip.png", box, "the question of Remove");
      PointAtCenter(box);
      probe::Press(probe::Keystroke::Escape);
      asked = true;
    });
    ClickCenter(remove);
    Check(WaitUntil([&] { return asked; }) && main_.List(Id::kRuleList).GetItemCount() == rules,
          "Escape answers No and the rule stays");
  }

  void CheckDisabledRuleList() {
    const ui::ListViewControl& list = main_.List(Id::kRuleList);
    ClickCenter(probe::ScreenRect(main_, Id::kRootEdit));
    CheckFocusArrives(Id::kRootEdit, "a click in the root edit takes the focus from the rule list");
    const std::string enabled =
        Screenshot("session-main-enabled.png", main_, "the main dialog with substitution on");
    ClickCenter(probe::ScreenRect(main_, Id::kSubstitutionEnable));
    Check(WaitUntil([&] { return !list.IsEnabled(); }),
          "substitution switched off disables the rule list");
    const std::string disabled =
        Screenshot("session-main-disabled.png", main_, "the main dialog with substitution off");
    const ui::Rect rows = probe::ScreenRect(main_, Id::kRuleList);
    Check(std::abs(window_test::MeanLevel(enabled, rows) - window_test::MeanLevel(disabled, rows)) >
              0.01,
          "the disabled rule list is drawn unlike the enabled one");
    ClickCenter(probe::RowScreenRect(main_, Id::kRuleList, 2));
    probe::HandleEventsFor(300);
    Check(!list.GetItemState(2, ui::kItemSelected) && !list.HasFocus(),
          "a click on the disabled rule list does nothing");
    ClickCenter(probe::ScreenRect(main_, Id::kSubstitutionEnable));
    Check(WaitUntil([&] { return list.IsEnabled() && list.HasFocus(); }),
          "substitution switched on again enables the rule list and focuses it");
  }

  // The area shows text (a blank one has no dark pixels at all).
  static bool ShowsText(const std::string& shot, const ui::Rect& area) {
    constexpr double kSomeText = 0.002;
    const double dark = window_test::DarkShare(shot, area);
    std::cout << "dark pixels: " << dark * 100 << " % of the area" << std::endl;
    return dark > kSomeText;
  }

  void ConvertLatin1() {
    PickLatin1Project();
    probe::WhenNextModalShows(
        Expect(CCopyFilesDlg::kTemplateId, "the destination dialog", [this](ui::Dialog& dialog) {
          Check(probe::ShownText(dialog, CCopyFilesDlg::kDestinationId) ==
                        install_.install.documents + "/Qor Morwick/Conv/proj-caf\xC3\xA9" &&
                    dialog.Item(CCopyFilesDlg::kDestinationId).GetText() ==
                        install_.latin1Destination,
                "the proposed destination shows, named after the source");
          probe::WhenNextModalShows(
              [this](const ui::Rect& box, ui::Dialog*) { AnswerRuleError(box); });
          PointAtCenter(probe::ScreenRect(dialog));
          probe::Press(probe::Keystroke::Enter);
        }));
    ClickCenter(probe::ScreenRect(main_, Id::kExecute));
    Check(WaitUntil([this] { return reportDone_; }, 60000), "Execute runs to the report's end");
    Check(boost::filesystem::is_regular_file(install_.latin1Destination + "/caf\xE9.c"),
          "the project named in ISO-8859-1 is converted into a copy of the same name");
    CheckChooserAfterRun();
    CloseMainDialog();
  }

  // The chooser starts at the parent folder, opened; Down moves to the
  // project, whose name shows its byte as an ISO-8859-1 character.
  void PickLatin1Project() {
    probe::WhenNextModalShows([this](const ui::Rect& chooser, ui::Dialog*) {
      PointAtCenter(chooser);
      Check(
          WaitUntil([this] { return probe::ShownFolderChooser().folder == install_.latin1Parent; }),
          "the folder chooser starts at the root folder's text");
      probe::Press(probe::Keystroke::Down);
      Check(WaitUntil([this] {
              const probe::ShownChooser shown = probe::ShownFolderChooser();
              return shown.folder == install_.latin1Source && shown.name == "proj-caf\xC3\xA9";
            }),
            "the keyboard selects the project named in ISO-8859-1, shown as proj-caf\xC3\xA9");
      Screenshot("session-latin1-chooser.png", chooser, "the folder chooser");
      ClickCenter(probe::ButtonScreenRect("Choose"));
    });
    ClickCenter(probe::ScreenRect(main_, Id::kBrowse));
    CheckTextBecomes(main_, Id::kRootEdit, install_.latin1Source,
                     "Choose puts the project's path, byte for byte, into the root edit");
    Check(probe::ShownText(main_, Id::kRootEdit) == install_.latin1Parent + "/proj-caf\xC3\xA9",
          "the root edit shows it");
  }

  // The question about the rule that does not compile names the file; Enter
  // answers Yes, and the report shows.
  void AnswerRuleError(const ui::Rect& box) {
    const probe::ShownMessage question = probe::ShownMessageBox();
    Check(question.whole && Contains(question.text, "/proj-caf\xC3\xA9/caf\xC3\xA9.c'") &&
              Contains(question.text, "could not be executed"),
          "the rule error question shows its text, the file named as it shows");
    const std::string shot = Screenshot("session-latin1-question.png", box, "the question");
    Check(ShowsText(shot, question.textRect), "the question's window shows text");
    probe::WhenNextModalShows(Expect(CViewReportDlg::kTemplateId, "the report dialog",
                                     [this](ui::Dialog& report) { ReadLatin1Report(report); }));
    PointAtCenter(box);
    probe::Press(probe::Keystroke::Enter);
  }

  void ReadLatin1Report(ui::Dialog& report) {
    const std::string shown = probe::ShownText(report, CViewReportDlg::kReportId);
    Check(Contains(shown, "/proj-caf\xC3\xA9/caf\xC3\xA9.c'\nthe substitution from:") &&
              Contains(shown, "[^\xC2\xBF\\n]"),
          "the report shows the rule error, the comment mark as \xC2\xBF");
    const std::string shot = Screenshot("session-latin1-report.png", report, "the report");
    Check(ShowsText(shot, probe::ScreenRect(report, CViewReportDlg::kReportId)),
          "the report's window shows text");
    CloseReport(report);
  }

  // The first chooser after a conversion opens centred on the main dialog,
  // its start folder in view.
  void CheckChooserAfterRun() {
    bool checked = false;
    probe::WhenNextModalShows([&](const ui::Rect& chooser, ui::Dialog*) {
      const probe::ShownChooser start = probe::ShownFolderChooser();
      Check(start.folder == install_.latin1Source && Inside(start.folderRow, start.tree),
            "after the run the chooser starts at the project, in view");
      Check(SameMiddle(chooser, probe::ScreenRect(main_)),
            "the chooser opens centred on the main dialog");
      PointAtCenter(chooser);
      probe::Press(probe::Keystroke::Escape);
      checked = true;
    });
    ClickCenter(probe::ScreenRect(main_, Id::kBrowse));
    Check(WaitUntil([&] { return checked; }) &&
              main_.Edit(Id::kRootEdit).GetText() == install_.latin1Source,
          "Escape closes the chooser and the root stays");
  }

  void CheckEarlyStop() {
    Check(!main_.Item(Id::kCopy).IsEnabled() && !main_.Item(Id::kEdit).IsEnabled() &&
              !main_.Item(Id::kRemove).IsEnabled() &&
              main_.List(Id::kRuleList).GetItemState(0, ui::kItemSelected),
          "after the stop Copy, Edit and Remove are disabled, and rule 1 is selected");
    Check(!probe::ShownSelected(main_, Id::kRuleList, 0),
          "the rule list, which has no focus, does not draw rule 1 selected");
    Screenshot("session-test-mode-stop.png", main_, "the main dialog after the stop");
    CloseMainDialog();
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
    ChooseNewFolder(dialog);
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

  // The proposed destination does not exist yet: the chooser opens at the
  // nearest folder above it that does, where the session makes a new one.
  void ChooseNewFolder(const CCopyFilesDlg& dialog) {
    probe::WhenNextModalShows([&](const ui::Rect& chooser, ui::Dialog*) {
      const probe::ShownChooser start = probe::ShownFolderChooser();
      Check(start.folder == install_.install.documents,
            "the folder chooser opens at the nearest existing folder of the destination");
      Check(Inside(start.folderRow, start.tree), "that folder is in view");
      Check(SameMiddle(chooser, probe::ScreenRect(dialog)),
            "the chooser opens centred on the destination dialog");
      Screenshot("session-folder-chooser.png", chooser, "the folder chooser");
      MakeNewFolder();
      Check(WaitUntil([&] { return probe::ShownFolderChooser().folder == install_.newFolder; }) &&
                boost::filesystem::is_directory(install_.newFolder),
            "Make New Folder makes the folder named and selects it");
      Screenshot("session-folder-made.png", chooser, "the folder chooser with the new folder");
      ClickCenter(probe::ButtonScreenRect("Choose"));
    });
    ClickCenter(probe::ScreenRect(dialog, CCopyFilesDlg::kBrowseId));
    CheckTextBecomes(dialog, CCopyFilesDlg::kDestinationId, install_.newFolder,
                     "Choose puts the new folder into the destination edit");
  }

  void MakeNewFolder() {
    bool named = false;
    probe::WhenNextModalShows([&](const ui::Rect& prompt, ui::Dialog*) {
      PointAtCenter(prompt);
      probe::Press(probe::Keystroke::SelectAll);
      probe::TypeText("fresh");
      probe::Press(probe::Keystroke::Enter);
      named = true;
    });
    ClickCenter(probe::ButtonScreenRect("Make New Folder"));
    Check(WaitUntil([&] { return named; }), "Make New Folder asks for the new folder's name");
  }

  // However small the user makes it, the report window keeps OK whole and a
  // part of the report in view.
  void CheckReportMinimum(ui::Dialog& report) {
    const ui::Rect minimum = report.MinClientSize();
    probe::ResizeClient(report, 10, 10);
    Check(WaitUntil([&] { return report.ClientRect() == minimum; }) && minimum.width > 0,
          "the report window sized down stops at its minimum size");
    const ui::Rect client{0, 0, minimum.width, minimum.height};
    const ui::Rect edit = report.Item(CViewReportDlg::kReportId).GetRect();
    const ui::Rect ok = report.Item(ui::kIdOk).GetRect();
    Check(Inside(edit, client) && Inside(ok, client) && edit.y + edit.height <= ok.y,
          "the report and OK stay whole inside it");
    Screenshot("session-report-small.png", report, "the smallest report window");
  }

  void ReadReport(ui::Dialog& report) {
    Screenshot("session-report.png", report, "the report dialog");
    const std::string shown = probe::ShownText(report, CViewReportDlg::kReportId);
    Check(Contains(shown, kPluginLine + install_.destination + "/blink.tproj\n") &&
              Contains(shown, "\nSource code substitutions\n") &&
              Contains(shown, "\nblink.c\nSubstitution:\n"),
          "the report dialog shows the report");
    CheckReportMinimum(report);
    CloseReport(report);
  }

  // A person who clicked into the report to scroll closes it with Enter.
  void CloseReport(ui::Dialog& report) {
    ClickCenter(probe::ScreenRect(report, CViewReportDlg::kReportId));
    probe::Press(probe::Keystroke::Enter);
    Check(WaitUntil([&] { return !probe::InModalLoop(report); }), "Enter closes the report");
    if (probe::InModalLoop(report)) report.EndDialog(ui::kIdOk);
    reportDone_ = true;
  }

  void TakePicture() {
    const std::string shot = Screenshot("session-real-plugin.png", main_, "the main dialog");
    Check(probe::ShownText(main_, Id::kConverterExtensions) == "*.cproj",
          "the real plug-in's extension is shown");
    Check(window_test::SaveCrop(shot, probe::ScreenRect(main_), shots_ + "/main-window.png"),
          "the picture of the main dialog is saved");
    CloseMainDialog();
  }

  void CloseMainDialog() {
    ClickCenter(probe::ScreenRect(main_, ui::kIdCancel));
    Check(WaitUntil([this] { return !probe::InModalLoop(main_); }), "Close ends the main dialog");
    if (probe::InModalLoop(main_)) main_.EndDialog(ui::kIdCancel);
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
    CloseMainDialog();
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
  std::vector<std::string> screenshots;
  {
    CVarnockDlg main;
    Session session(install, argv[1], main);
    ui::SetMainWindow(&main);
    session.Start();
    main.DoModal();
    ui::SetMainWindow(nullptr);
    screenshots = session.Screenshots();
  }
  {
    IniFile settings;
    settings.regexpExtentions = {"*.c;*.*"};
    Check(settings.WriteSettings(install.testModeSettings), "the test-mode settings are written");
    CVarnockDlg main;
    main.testMode = true;
    main.iniFile = install.testModeSettings;
    main.srcDir = install.source;
    main.dstDir = install.testModeDestination;
    Session session(install, argv[1], main);
    ui::SetMainWindow(&main);
    session.StartEarlyStop();
    main.DoModal();
    ui::SetMainWindow(nullptr);
    for (const std::string& path : session.Screenshots()) screenshots.push_back(path);
  }
  {
    IniFile settings;
    settings.browsedDirectory = install.latin1Parent;
    settings.regexpExtentions = {"*.c;*.h"};
    Check(settings.WriteSettings(install.settingsFile), "the settings name the project's parent");
    WriteRulesFile(install.rulesFile, {{"x", "a(b", "x$1"}});
    CVarnockDlg main;
    Session session(install, argv[1], main);
    ui::SetMainWindow(&main);
    session.StartLatin1();
    main.DoModal();
    ui::SetMainWindow(nullptr);
    for (const std::string& path : session.Screenshots()) screenshots.push_back(path);
  }
  {
    // A program of its own beside the real plug-in and templates, under the
    // same home folder.
    const std::string root = install.install.temp / "Varnock";
    boost::filesystem::create_directories(root + "/bin");
    boost::filesystem::create_directories(root + "/config/template/Varnock");
    SessionInstall::CopyTemplates(TEMPLATE_DIR, root + "/config/template/Varnock");
    boost::filesystem::copy_file(VARNOCK_BIN_DIR "/extconvTarrow.so",
                                 root + "/bin/extconvTarrow.so");
    platform::OverrideProgramPath(root + "/bin/varnock");
    CVarnockDlg main;
    Session session(install, argv[1], main);
    ui::SetMainWindow(&main);
    session.StartPicture();
    main.DoModal();
    ui::SetMainWindow(nullptr);
    for (const std::string& path : session.Screenshots()) screenshots.push_back(path);
  }
  for (const std::string& path : screenshots) std::cout << "screenshot: " << path << std::endl;
  const int failures = window_test::Failures();
  std::cout << (failures ? "window session test failed" : "window session test passed")
            << std::endl;
  return failures ? 1 : 0;
}
