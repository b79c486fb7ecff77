#include "headless_backend.h"

#include <deque>
#include <iostream>
#include <map>

#include "ui/headless.h"

namespace ui {
namespace {

struct HeadlessState {
  std::deque<Answer> answers;
  std::vector<headless::MessageBoxRecord> messageBoxes;
  std::deque<std::string> files;
  std::deque<std::string> folders;
  std::vector<FileDialogRequest> fileDialogs;
  std::vector<FolderRequest> folderChoosers;
  std::map<int, std::deque<std::function<void(Dialog&)>>> scripts;
  std::vector<headless::DialogRecord> dialogs;
};

HeadlessState& State() {
  static HeadlessState state;
  return state;
}

Answer DefaultAnswer(Buttons buttons) {
  return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

// Dialog units of the dialog font: 6 px across per 4 units, 13 px down per 8.
int Across(int units) { return units * 3 / 2; }
int Down(int units) { return units * 13 / 8; }

class HeadlessPeer : public DialogPeer {
 public:
  HeadlessPeer(Dialog& dialog, bool modal) : dialog_(dialog) {
    record_ = State().dialogs.size();
    State().dialogs.push_back({dialog.Template().id, dialog.GetCaption(), modal});
  }
  ~HeadlessPeer() override { NoteCaption(); }

  void RunModalLoop() override {
    auto& queue = State().scripts[dialog_.Template().id];
    if (!queue.empty()) {
      auto script = std::move(queue.front());
      queue.pop_front();
      script(dialog_);
    } else if (&dialog_ == MainWindow()) {
      std::cerr << "cannot open the main window: no display" << std::endl;
      dialog_.EndDialog(kNoWindow);
    }
    if (dialog_.IsOpen() && !ended_) dialog_.EndDialog(kIdCancel);
  }
  void EndModalLoop(int) override { ended_ = true; }
  void Show(bool) override {}
  void CaptionChanged() override { NoteCaption(); }
  void IconChanged() override {}
  void TooltipsChanged() override {}
  void FocusChanged() override {}
  void MinSizeChanged() override {}

 private:
  // The log may have been cleared by headless::Reset() while the window was open.
  void NoteCaption() {
    auto& dialogs = State().dialogs;
    if (record_ < dialogs.size()) dialogs[record_].caption = dialog_.GetCaption();
  }

  Dialog& dialog_;
  size_t record_;
  bool ended_ = false;
};

}  // namespace

Rect HeadlessBackend::ToPixels(const Rect& units) const {
  return {Across(units.x), Down(units.y), Across(units.width), Down(units.height)};
}

std::unique_ptr<DialogPeer> HeadlessBackend::MakePeer(Dialog& dialog, Dialog*, bool modal) {
  return std::make_unique<HeadlessPeer>(dialog, modal);
}

Answer HeadlessBackend::ShowMessageBox(const Dialog* owner, const std::string& text,
                                       const std::string& caption, Buttons buttons, Icon icon) {
  HeadlessState& state = State();
  Answer answer;
  if (!state.answers.empty()) {
    answer = state.answers.front();
    state.answers.pop_front();
  } else {
    std::cerr << caption << ": " << text << std::endl;
    answer = DefaultAnswer(buttons);
  }
  state.messageBoxes.push_back({owner ? owner->GetCaption() : std::string(), owner != nullptr,
                                caption, text, buttons, icon, answer});
  return answer;
}

std::string HeadlessBackend::ShowFileDialog(const FileDialogRequest& request) {
  HeadlessState& state = State();
  state.fileDialogs.push_back(request);
  if (state.files.empty()) return "";
  std::string path = state.files.front();
  state.files.pop_front();
  return path;
}

std::string HeadlessBackend::ShowFolderChooser(const FolderRequest& request) {
  HeadlessState& state = State();
  state.folderChoosers.push_back(request);
  if (state.folders.empty()) return "";
  std::string folder = state.folders.front();
  state.folders.pop_front();
  return folder;
}

namespace headless {

void AnswerNextMessageBox(Answer answer) { State().answers.push_back(answer); }
const std::vector<MessageBoxRecord>& MessageBoxes() { return State().messageBoxes; }
void ChooseNextFile(const std::string& path) { State().files.push_back(path); }
void ChooseNextFolder(const std::string& folder) { State().folders.push_back(folder); }
const std::vector<FileDialogRequest>& FileDialogs() { return State().fileDialogs; }
const std::vector<FolderRequest>& FolderChoosers() { return State().folderChoosers; }

void OnNextModal(int templateId, std::function<void(Dialog&)> script) {
  State().scripts[templateId].push_back(std::move(script));
}

const std::vector<DialogRecord>& Dialogs() { return State().dialogs; }

void Reset() { State() = HeadlessState(); }

}  // namespace headless
}  // namespace ui
