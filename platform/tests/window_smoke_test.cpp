// Smoke test of the window backend: a progress window, modeless report
// windows (one with a long report), message boxes, the folder chooser and
// modal windows with lists and a combo box, as real windows on a virtual
// display, driven through the display server. Arguments: the screenshot
// file to write; two more, named after it, show a long message and the
// folder chooser.

#include <algorithm>
#include <boost/filesystem.hpp>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "screenshot.h"
#include "test_support/temp_dir.h"
#include "ui/common_dialogs.h"
#include "ui/dialog.h"
#include "ui/message_box.h"
#include "ui/toolkit.h"
#include "window_checks.h"
#include "window_probe.h"

namespace {

using ui::ControlKind;
using ui::Event;
using window_test::Check;
using window_test::ClickCenter;
using window_test::PointAtCenter;
using window_test::WaitUntil;
namespace probe = ui::window_probe;

constexpr int kReport = 1030;
constexpr int kRules = 1002;
constexpr int kExtensions = 1003;
constexpr int kProgress = 1029;

// The report window's layout after a resize, in pixels: the edit's left and
// top edge, the client width and height it leaves free, OK's distance from
// the right and bottom edges.
constexpr int kEditLeftAndTop = 11;
constexpr int kEditMarginsAcross = 21;
constexpr int kEditMarginsDown = 57;
constexpr int kOkMargin = 10;

ui::DialogTemplate ReportTemplate() {
  using namespace ui::style;
  return {
      130,
      "Report",
      600,
      400,
      ui::dialog_style::kResizable | ui::dialog_style::kMinMaxBoxes,
      {{ui::kIdOk, ControlKind::PushButton, "OK", {543, 379, 50, 14}, kTabStop | kDefaultButton},
       {kReport,
        ControlKind::Edit,
        "",
        {7, 7, 586, 365},
        kMultiLine | kBorder | kVScroll | kTabStop | kAutoHScroll}}};
}

ui::DialogTemplate ProgressTemplate() {
  return {129,
          "Processing files",
          195,
          30,
          ui::dialog_style::kVisible,
          {{kProgress, ControlKind::ProgressBar, "", {7, 7, 181, 16}, ui::style::kBorder}}};
}

// Logs what reaches its message map; the layout follows the window's size.
class ReportWindow : public ui::Dialog {
 public:
  ReportWindow() : Dialog(ReportTemplate()) {}
  std::vector<std::string> log;

  bool Logged(const std::string& entry) const {
    for (const std::string& each : log) {
      if (each == entry) return true;
    }
    return false;
  }

 protected:
  const ui::MessageMap& GetMessageMap() const override {
    static const ui::MessageMap map = {
        ui::On(Event::ButtonClicked, ui::kIdOk, &ReportWindow::OnOkClicked),
        ui::On(Event::EditChanged, kReport, &ReportWindow::OnEdited),
        ui::On(Event::Size, 0, &ReportWindow::OnResized),
    };
    return map;
  }
  // The last Escape closes the window from inside its own handler.
  void OnCancel() override {
    log.push_back("cancel");
    if (closeOnCancel) DestroyWindow();
  }

 public:
  bool closeOnCancel = false;

 private:
  void OnOkClicked() { log.push_back("ok"); }
  void OnEdited() { log.push_back("edited"); }
  void OnResized(ui::Notification& size) {
    log.push_back("size " + std::to_string(size.width) + "x" + std::to_string(size.height));
    Item(kReport).Move({kEditLeftAndTop, kEditLeftAndTop, size.width - kEditMarginsAcross,
                        size.height - kEditMarginsDown});
    ui::Rect ok = Item(ui::kIdOk).GetRect();
    Item(ui::kIdOk).Move({size.width - kOkMargin - ok.width, size.height - kOkMargin - ok.height,
                          ok.width, ok.height});
  }
};

ui::DialogTemplate RulesTemplate() {
  using namespace ui::style;
  return {
      104,
      "Rules",
      200,
      150,
      0,
      {{kRules, ControlKind::ListView, "", {7, 7, 186, 80}, kBorder | kTabStop},
       {kExtensions, ControlKind::ComboBox, "", {7, 95, 186, 60}, kDropDown | kTabStop},
       {ui::kIdOk, ControlKind::PushButton, "OK", {143, 129, 50, 14}, kTabStop | kDefaultButton}}};
}

// A modal window with a list of more rows than it shows.
class LongListWindow : public ui::Dialog {
 public:
  static constexpr int kRows = 40;
  LongListWindow()
      : Dialog({105,
                "Long list",
                200,
                100,
                0,
                {{kRules, ControlKind::ListView, "", {7, 7, 186, 86}, ui::style::kBorder}}}) {}

  int SelectedRow() const {
    for (int row = 0; row < kRows; ++row) {
      if (List(kRules).GetItemState(row, ui::kItemSelected)) return row;
    }
    return -1;
  }

 protected:
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    List(kRules).InsertColumn(0, "Nr", 60);
    for (int row = 0; row < kRows; ++row) List(kRules).InsertItem(row, std::to_string(row + 1));
    return true;
  }
};

// A modal window with a list and an editable combo box; logs the list's
// clicks and keys and what the combo box's edit field held when a pick
// was announced.
class RulesWindow : public ui::Dialog {
 public:
  RulesWindow() : Dialog(RulesTemplate()) {}
  std::vector<std::string> log;
  bool okClicked = false;

  int SelectedRow() const {
    int selected = -1;
    for (int row = 0; row < List(kRules).GetItemCount(); ++row) {
      if (List(kRules).GetItemState(row, ui::kItemSelected)) {
        if (selected != -1) return -2;  // more than one
        selected = row;
      }
    }
    return selected;
  }

 protected:
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    List(kRules).InsertColumn(0, "Nr", 40);
    List(kRules).InsertColumn(1, "From", 200);
    for (int row = 0; row < 4; ++row) List(kRules).InsertItem(row, std::to_string(row + 1));
    Combo(kExtensions).AddString("*.c;*.h");
    Combo(kExtensions).AddString("*.txt");
    Combo(kExtensions).SetCurSel(0);
    AddTooltip(ui::kIdOk, "Closes the window");
    ActivateTooltips(true);
    return true;
  }
  void OnOK() override {
    okClicked = true;
    Dialog::OnOK();
  }
  const ui::MessageMap& GetMessageMap() const override {
    static const ui::MessageMap map = {
        ui::On(Event::ListClick, kRules, &RulesWindow::OnListClick),
        ui::On(Event::ListKeyDown, kRules, &RulesWindow::OnListKey),
        ui::On(Event::ComboSelChange, kExtensions, &RulesWindow::OnPick),
        ui::On(Event::ComboCloseUp, kExtensions, &RulesWindow::OnCloseUp),
    };
    return map;
  }

 private:
  void OnListClick(ui::Notification& click) {
    log.push_back("click " + std::to_string(click.item));
  }
  void OnListKey() { log.push_back("key"); }
  void OnPick() { log.push_back("pick after " + Combo(kExtensions).GetText()); }
  void OnCloseUp() { log.push_back("closed"); }
};

void CheckMirrorAndInput(ReportWindow& report) {
  Check(probe::ShownText(report, kReport) == "first line\nsecond line\nthird line",
        "the edit shows the model's lines with LF line ends");

  report.log.clear();
  ClickCenter(probe::ScreenRect(report, ui::kIdOk));
  Check(WaitUntil([&] { return report.Logged("ok"); }),
        "a pointer click on OK reaches the message map");
  Check(report.Focus() == report.FindControl(ui::kIdOk), "the clicked button has the focus");

  report.log.clear();
  ClickCenter(probe::ScreenRect(report, kReport));
  Check(WaitUntil([&] { return report.Focus() == report.FindControl(kReport); }),
        "a click in the edit gives it the focus");
  probe::TypeText("x");
  Check(WaitUntil([&] {
          return report.Logged("edited") &&
                 report.Edit(kReport).GetText().find('x') != std::string::npos;
        }),
        "typing reaches the model's text");
  Check(report.Edit(kReport).GetText().find("\r\n") != std::string::npos,
        "the model keeps CR LF between lines");

  report.log.clear();
  probe::Press(probe::Keystroke::Enter);
  Check(WaitUntil([&] { return report.Logged("ok"); }),
        "Enter in the edit clicks the default button");
  probe::Press(probe::Keystroke::Escape);
  Check(WaitUntil([&] { return report.Logged("cancel"); }) && report.IsOpen(), "Escape cancels");
}

void CheckResize(ReportWindow& report) {
  report.log.clear();
  probe::ResizeClient(report, 800, 600);
  Check(WaitUntil([&] {
          return report.ClientRect() == ui::Rect{0, 0, 800, 600};
        }),
        "the model knows the new client size");
  Check(report.Logged("size 800x600"), "the size notification carries the client size");
  Check(WaitUntil([&] {
          const ui::Rect edit = probe::ScreenRect(report, kReport);
          return edit.width == 800 - kEditMarginsAcross && edit.height == 600 - kEditMarginsDown;
        }),
        "the edit widget follows the model's layout");
}

// A window with one control, as the progress windows are.
void CheckProgressWindow(const std::string& screenshot) {
  ui::Dialog progress(ProgressTemplate());
  Check(progress.Create(nullptr), "the progress window opens modeless");
  progress.Progress(kProgress).SetRange(0, 2);
  progress.Progress(kProgress).SetStep(1);
  progress.Progress(kProgress).StepIt();
  const ui::Rect bar = probe::ScreenRect(progress, kProgress);
  const ui::Rect placed = progress.Item(kProgress).GetRect();
  Check(bar.width == placed.width && bar.height == placed.height,
        "a sole control keeps the size its template gives it");
  const ui::Rect upperHalf{bar.x, bar.y + 2, bar.width, bar.height / 2 - 2};
  Check(window_test::ScreenshotShowing(screenshot, upperHalf),
        "a half-full progress bar fills its rectangle");
}

void CheckMessageBox(ReportWindow& report, const std::string& screenshot) {
  bool shown = false;
  probe::WhenNextModalShows([&](const ui::Rect& box, ui::Dialog*) {
    shown = true;
    Check(window_test::SaveScreenshot(screenshot), "the screenshot is written");
    Check(window_test::ShowsSomething(screenshot, probe::ScreenRect(report)),
          "the report window is on the screenshot");
    probe::PointAt(box.x + std::max(box.width / 2, 20), box.y + std::max(box.height / 2, 20));
    probe::Press(probe::Keystroke::Enter);
  });
  ui::Answer answer = ui::MessageBox(&report, "The conversion is done.", "Window smoke test",
                                     ui::Buttons::Ok, ui::Icon::Information);
  Check(shown, "the message box appeared");
  Check(answer == ui::Answer::Ok, "Enter answers the message box with OK");
}

// A short question keeps its caption whole beside a title bar's icon and
// buttons, and a text that is not UTF-8 shows, every such byte as its
// ISO-8859-1 character.
void CheckShortQuestion(ReportWindow& report) {
  bool shown = false;
  probe::WhenNextModalShows([&](const ui::Rect& box, ui::Dialog*) {
    shown = true;
    const probe::ShownMessage message = probe::ShownMessageBox();
    Check(message.whole && message.text == "caf\xC3\xA9.c: [^\xC2\xBF]",
          "the question shows its text, its bytes as ISO-8859-1 characters");
    // A title bar's icon and three buttons take some 22 pixels each.
    Check(box.width >= probe::CaptionTextWidth() + 4 * 22,
          "the box is as wide as its caption and a title bar's icon and buttons");
    PointAtCenter(box);
    probe::Press(probe::Keystroke::Escape);
  });
  const ui::Answer answer = ui::MessageBox(&report, "caf\xE9.c: [^\xBF]", "Directory not chosen",
                                           ui::Buttons::YesNo, ui::Icon::None);
  Check(shown && answer == ui::Answer::No, "the question appeared, and Escape answers No");
}

// The process's CPU time in seconds.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// The process's peak resident memory in bytes, as the system counts it.
double PeakMemory() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) * 1024;
  }
  return 0;
}

// A report of 16 MB, a byte that is not UTF-8 on every line.
std::string LongReport() {
  std::string text;
  for (int line = 0; text.size() < 16000000; ++line) {
    text += "line " + std::to_string(line) + " of caf\xE9.c: a substitution of the report\r\n";
  }
  return text;
}

// A long report shows whole, takes a small multiple of its size on its way
// to the window, and leaves the toolkit idle once its window is gone.
void CheckLongReport() {
  std::string text = LongReport();
  // On each line the é takes a byte more, and the line break a byte less.
  const size_t shownSize = text.size();
  const double before = PeakMemory();
  const double size = static_cast<double>(text.size());
  ReportWindow report;
  report.Create(nullptr);
  report.ShowWindow(true);
  report.Edit(kReport).SetText(std::move(text));
  const double growth = (PeakMemory() - before) / size;
  std::cout << "a report of 16 MB took " << growth << " times its size in memory" << std::endl;
#if !defined(__SANITIZE_ADDRESS__)
  // Counted without the sanitizer, which keeps freed memory for a while.
  Check(growth < 6, "on its way to the window it took less than six times its size");
#endif
  const std::string shown = probe::ShownText(report, kReport);
  Check(shown.size() == shownSize && shown.find("line 0 of caf\xC3\xA9.c") == 0,
        "a report of 16 MB shows whole");
  report.DestroyWindow();
  const double cpu = CpuSeconds();
  probe::HandleEventsFor(1500);
  std::cout << "CPU in the 1.5 s after the report window closed: " << CpuSeconds() - cpu << " s"
            << std::endl;
  Check(CpuSeconds() - cpu < 0.5, "once its window is gone, the toolkit is idle");
}

// A path of `depth` folders with long names, and no blank in it.
std::string LongPath(int depth) {
  std::string path;
  for (int folder = 0; folder < depth; ++folder) path += "/a-folder-with-a-rather-long-name";
  return path + "/extconvTestAppend.xml";
}

bool Inside(const ui::Rect& inner, const ui::Rect& outer) {
  return inner.width > 0 && inner.height > 0 && inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

std::string Squeezed(const std::string& text) {
  std::string squeezed;
  for (char c : text) {
    if (c != ' ' && c != '\n') squeezed += c;
  }
  return squeezed;
}

// A message wider than the screen wraps, also inside its paths, and the box
// grows down to show all of it.
void CheckLongMessage(ReportWindow& report, const std::string& screenshot) {
  const std::string text = "Couldn't copy " + LongPath(30) + " to " + LongPath(25);
  bool shown = false;
  probe::WhenNextModalShows([&](const ui::Rect& box, ui::Dialog*) {
    shown = true;
    const probe::ShownMessage message = probe::ShownMessageBox();
    Check(box.width <= probe::ScreenArea().width * 2 / 3,
          "a long message box is at most two thirds of the screen wide");
    Check(message.whole && Squeezed(message.text) == Squeezed(text) &&
              message.text.find("\n/") != std::string::npos,
          "it shows the whole message, its paths broken after a separator");
    Check(window_test::ScreenshotShowing(screenshot, box), "the long message is on screen");
    PointAtCenter(box);
    probe::Press(probe::Keystroke::Enter);
  });
  ui::MessageBox(&report, text, "Initializing application");
  Check(shown, "the long message appeared");
}

// A message box that opens on its own, with no key or click that would hide
// the tooltip on screen, takes it away.
void CheckTooltipUnderMessageBox(RulesWindow& rules) {
  const std::set<std::string> before = window_test::WindowsOnScreen();
  const ui::Rect ok = probe::ScreenRect(rules, ui::kIdOk);
  for (int step = 0; step < 8; ++step) {
    probe::PointAt(ok.x + ok.width / 3 + step, ok.y + ok.height / 2);
    probe::HandleEventsFor(50);
  }
  const std::set<std::string> tooltip = window_test::WindowsOpenedSince(before);
  Check(!tooltip.empty(), "OK shows its tooltip");
  probe::WhenNextModalShows([&](const ui::Rect& box, ui::Dialog*) {
    // Not long: given time, a tooltip may go away by itself.
    Check(WaitUntil([&] { return window_test::NoneOnScreen(tooltip); }, 2000),
          "the message box that opens under the tooltip takes it away");
    PointAtCenter(box);
    probe::Press(probe::Keystroke::Enter);
  });
  ui::MessageBox(&rules, "Done.", "Window smoke test");
}

void CheckListAndCombo(RulesWindow& rules) {
  ClickCenter(probe::RowScreenRect(rules, kRules, 1));
  Check(WaitUntil([&] {
          return rules.SelectedRow() == 1 && rules.log == std::vector<std::string>{"click 1"};
        }),
        "a click on a row selects that row alone and reports it");
  rules.log.clear();
  ui::Rect list = probe::ScreenRect(rules, kRules);
  probe::ClickAt(list.x + list.width / 2, list.y + list.height - 4);
  Check(WaitUntil([&] {
          return rules.SelectedRow() == -1 && rules.log == std::vector<std::string>{"click -1"};
        }),
        "a click below the rows reports no row");
  rules.log.clear();
  ClickCenter(probe::RowScreenRect(rules, kRules, 1));
  WaitUntil([&] { return !rules.log.empty(); });
  rules.log.clear();
  probe::Press(probe::Keystroke::Down);
  Check(WaitUntil([&] {
          return rules.SelectedRow() == 2 && rules.log == std::vector<std::string>{"key"};
        }),
        "Down reaches the list first and moves the selection once");

  ui::Rect combo = probe::ScreenRect(rules, kExtensions);
  probe::ClickAt(combo.x + 20, combo.y + combo.height / 2);
  WaitUntil([&] { return probe::ToolkitFocus(rules) == rules.FindControl(kExtensions); });
  probe::TypeText("x");
  Check(WaitUntil(
            [&] { return rules.Combo(kExtensions).GetText().find('x') != std::string::npos; }) &&
            rules.Combo(kExtensions).GetCurSel() == -1,
        "typing into the combo box reaches the model");
  const std::string typed = rules.Combo(kExtensions).GetText();
  rules.log.clear();
  const std::set<std::string> beforeList = window_test::WindowsOnScreen();
  probe::Press(probe::Keystroke::OpenList);
  window_test::WindowsOpenedSince(beforeList);
  probe::Press(probe::Keystroke::Down);
  probe::Press(probe::Keystroke::Enter);
  Check(WaitUntil([&] { return rules.log.size() >= 2; }) &&
            rules.log == std::vector<std::string>{"pick after " + typed, "closed"},
        "a pick is announced while the edit field holds the typed text, then the list closes");
  const int picked = rules.Combo(kExtensions).GetCurSel();
  Check(picked >= 0 &&
            rules.Combo(kExtensions).GetText() == rules.Combo(kExtensions).GetItemText(picked),
        "after the pick the edit field holds the item");

  CheckTooltipUnderMessageBox(rules);
  ClickCenter(probe::ScreenRect(rules, ui::kIdOk));
  WaitUntil([&] { return rules.okClicked; });
}

// Each key moves the selection to the row expected, and that row into view;
// a page is one row less than the rows in view.
void CheckListKeys(LongListWindow& window) {
  ClickCenter(probe::RowScreenRect(window, kRules, 0));
  WaitUntil([&] { return window.SelectedRow() == 0; });
  using probe::Keystroke;
  auto pressMovesTo = [&](Keystroke key, int row, const std::string& what) {
    probe::Press(key);
    Check(WaitUntil([&] {
            return window.SelectedRow() == row && Inside(probe::RowScreenRect(window, kRules, row),
                                                         probe::ScreenRect(window, kRules));
          }),
          what + ", and the row is in view");
  };
  const int last = LongListWindow::kRows - 1;
  pressMovesTo(Keystroke::End, last, "End selects the last row");
  const int inView = window.List(kRules).RowsPerPage();
  Check(inView > 2 && inView < LongListWindow::kRows, "the list tells how many rows it shows");
  const int page = inView - 1;
  pressMovesTo(Keystroke::Home, 0, "Home selects the first row");
  pressMovesTo(Keystroke::PageDown, page, "Page Down moves down by a page");
  pressMovesTo(Keystroke::PageDown, 2 * page, "Page Down moves down by another page");
  pressMovesTo(Keystroke::PageUp, page, "Page Up moves up by a page");
  pressMovesTo(Keystroke::End, last, "End selects the last row again");
  pressMovesTo(Keystroke::Up, last - 1, "Up moves up by a row");
  pressMovesTo(Keystroke::PageUp, last - 1 - page, "Page Up moves up by a page from there");
  window.EndDialog(ui::kIdOk);
}

// Tab moves the focus from part to part of the chooser until it reaches the
// folder tree; false when it does not within a round.
bool TabToTheFolders() {
  for (int press = 0; press < 6; ++press) {
    if (probe::ShownFolderChooser().treeFocused) return true;
    probe::Press(probe::Keystroke::Tab);
    probe::HandleEventsFor(100);
  }
  return probe::ShownFolderChooser().treeFocused;
}

// Two folders whose names show alike, "café": one in ISO-8859-1, one in
// UTF-8. The chooser starts at the first, in view; the keyboard reaches the
// tree and moves to the second; each is returned byte for byte.
void CheckFolderChooser(const std::string& screenshot) {
  test_support::TempDir dir;
  const std::string latin1 = dir / "caf\xE9";
  const std::string utf8 = dir / "caf\xC3\xA9";
  boost::filesystem::create_directories(latin1);
  boost::filesystem::create_directories(utf8);
  for (const std::string& wanted : {latin1, utf8}) {
    probe::WhenNextModalShows([&](const ui::Rect& chooser, ui::Dialog*) {
      probe::PointAt(chooser.x + chooser.width / 2, chooser.y + 10);
      Check(WaitUntil([] { return probe::ShownFolderChooser().folder.size() > 0; }),
            "the folder chooser shows its tree");
      const probe::ShownChooser start = probe::ShownFolderChooser();
      Check(start.folder == latin1 && start.name == "caf\xC3\xA9",
            "the chooser starts at the folder named in ISO-8859-1, which shows as caf\xC3\xA9");
      Check(Inside(start.folderRow, start.tree), "that folder is in view");
      if (wanted == latin1) {
        Check(window_test::ScreenshotShowing(screenshot, start.folderRow),
              "the chooser is on screen");
      }
      Check(TabToTheFolders(), "the folder tree has the keyboard focus, or Tab gives it");
      probe::Press(probe::Keystroke::BackTab);
      Check(WaitUntil([] { return !probe::ShownFolderChooser().treeFocused; }, 2000) &&
                TabToTheFolders(),
            "Shift+Tab leaves it, and Tab comes back");
      if (wanted == utf8) probe::Press(probe::Keystroke::Up);
      Check(WaitUntil([&] { return probe::ShownFolderChooser().folder == wanted; }),
            "the keyboard selects the folder wanted");
      ClickCenter(probe::ButtonScreenRect("Choose"));
    });
    const std::string chosen = ui::ChooseFolder({"Choose directory", "Choose", latin1});
    Check(chosen == wanted, wanted == latin1
                                ? "the folder named in ISO-8859-1 is chosen byte for byte"
                                : "the folder named in UTF-8 is chosen, not confused with it");
  }
}

// Saving into the working folder, named in ISO-8859-1: the path comes back
// byte for byte (the toolkit itself gives such a path as nothing).
void CheckFileDialog() {
  test_support::TempDir dir;
  const std::string folder = dir / "caf\xE9";
  boost::filesystem::create_directories(folder);
  const boost::filesystem::path working = boost::filesystem::current_path();
  boost::filesystem::current_path(folder);
  // The toolkit does not know where its native dialog is: without an owner
  // it is centred on the screen.
  probe::WhenNextModalShows([](const ui::Rect&, ui::Dialog*) {
    PointAtCenter(probe::ScreenArea());
    probe::Press(probe::Keystroke::Enter);
  });
  const std::string chosen =
      ui::ChooseFile({true, "xml", "MyVarnockConfig.xml", "Config Files (*.xml)|*.xml||"});
  boost::filesystem::current_path(working);
  Check(chosen == folder + "/MyVarnockConfig.xml",
        "the file dialog gives a path named in ISO-8859-1 byte for byte");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: window_smoke_test SCREENSHOT.png" << std::endl;
    return 2;
  }
  const std::string screenshot = argv[1];
  if (!ui::StartUserInterface(argc, argv) || !ui::HasWindows()) {
    std::cerr << "FAILED: no windows on the display" << std::endl;
    return 1;
  }
  {
    CheckProgressWindow(screenshot);
    ReportWindow report;
    Check(report.Create(nullptr), "the report window opens modeless");
    report.Edit(kReport).SetText("first line\r\nsecond line\r\nthird line");
    const std::set<std::string> beforeReport = window_test::WindowsOnScreen();
    report.ShowWindow(true);
    Check(!window_test::WindowsOpenedSince(beforeReport).empty(), "the report window is shown");
    std::cout << "client area of 600 x 400 dialog units: " << report.ClientRect().width << " x "
              << report.ClientRect().height << " pixels" << std::endl;
    CheckMirrorAndInput(report);
    CheckResize(report);
    CheckMessageBox(report, screenshot);
    CheckShortQuestion(report);
    CheckLongMessage(report, screenshot.substr(0, screenshot.rfind('.')) + "-long-message.png");
    CheckFolderChooser(screenshot.substr(0, screenshot.rfind('.')) + "-folder-chooser.png");
    CheckFileDialog();
    CheckLongReport();

    LongListWindow longList;
    probe::WhenNextModalShows([&](const ui::Rect&, ui::Dialog*) { CheckListKeys(longList); });
    longList.DoModal();

    RulesWindow rules;
    probe::WhenNextModalShows([&](const ui::Rect&, ui::Dialog*) {
      CheckListAndCombo(rules);
      if (!rules.okClicked) rules.EndDialog(ui::kIdCancel);  // never leave the test waiting
    });
    Check(rules.DoModal() == ui::kIdOk, "OK ends the modal run with its result");

    report.closeOnCancel = true;
    PointAtCenter(probe::ScreenRect(report, kReport));
    probe::Press(probe::Keystroke::Escape);
    Check(WaitUntil([&] { return !report.IsOpen(); }),
          "the window closes from inside its own handler");
  }
  for (const char* suffix : {"", "-long-message", "-folder-chooser"}) {
    std::cout << "screenshot: " << screenshot.substr(0, screenshot.rfind('.')) + suffix + ".png"
              << std::endl;
  }
  const int failures = window_test::Failures();
  std::cout << (failures ? "window smoke test failed" : "window smoke test passed") << std::endl;
  return failures ? 1 : 0;
}
