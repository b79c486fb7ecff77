#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/export.h"
#include "ui/common_dialogs.h"
#include "ui/message_box.h"

namespace ui {
class Dialog;
}

/// What tests use to drive the headless backend and see what it showed.
namespace ui::headless {

/// Answers of the next message boxes, first in, first out.
PLATFORM_EXPORT void AnswerNextMessageBox(Answer answer);

struct MessageBoxRecord {
  std::string owner;  ///< caption of the owner window, "" for none
  bool hasOwner = false;
  std::string caption;
  std::string text;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  Answer answer = Answer::Ok;
};
PLATFORM_EXPORT const std::vector<MessageBoxRecord>& MessageBoxes();

/// Answers of the next file dialogs and folder choosers ("" = Cancel).
PLATFORM_EXPORT void ChooseNextFile(const std::string& path);
PLATFORM_EXPORT void ChooseNextFolder(const std::string& folder);
PLATFORM_EXPORT const std::vector<FileDialogRequest>& FileDialogs();
PLATFORM_EXPORT const std::vector<FolderRequest>& FolderChoosers();

/// A script that acts as the user while the next modal run of the dialog
/// template `templateId` waits for input. When the script leaves the dialog
/// open, it is ended with kIdCancel (no handler runs). A modal run without a
/// script ends with kIdCancel at once; for the main window, the process ends
/// with exit code 1 and "cannot open the main window: no display".
PLATFORM_EXPORT void OnNextModal(int templateId, std::function<void(Dialog&)> script);

struct DialogRecord {
  int templateId = 0;
  std::string caption;  ///< the caption when the window closed
  bool modal = false;
};
/// Every dialog window made so far, in the order opened.
PLATFORM_EXPORT const std::vector<DialogRecord>& Dialogs();

/// Forgets every queued answer and script and clears the logs.
PLATFORM_EXPORT void Reset();

}  // namespace ui::headless
