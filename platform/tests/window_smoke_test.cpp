// Smoke test of the window backend: a progress window, a modeless report
// window, message boxes and a modal window with a list and a combo box, as
// real windows on a virtual display, driven through the display server.
// Arguments: the screenshot file to write; a second one, named after it,
// shows a long message.

#include <algorithm>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "screenshot.h"
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

// A path of `depth` folders with long names, and no blank in it.
std::string LongPath(int depth) {
  std::string path;
  for (int folder = 0; folder < depth; ++folder) path += "/a-folder-with-a-rather-long-name";
  return path + "/extconvTestAppend.xml";
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
    CheckLongMessage(report, screenshot.substr(0, screenshot.rfind('.')) + "-long-message.png");

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
  std::cout << "screenshot: " << screenshot << std::endl;
  std::cout << "screenshot: " << screenshot.substr(0, screenshot.rfind('.')) + "-long-message.png"
            << std::endl;
  const int failures = window_test::Failures();
  std::cout << (failures ? "window smoke test failed" : "window smoke test passed") << std::endl;
  return failures ? 1 : 0;
}
