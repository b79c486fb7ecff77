#include "message_box_window.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <algorithm>

#include "text_wrap.h"
#include "wx_text.h"

namespace ui::window {
namespace {

wxArtID ArtOf(Icon icon) {
  switch (icon) {
    case Icon::Question:
      return wxART_QUESTION;
    case Icon::Information:
      return wxART_INFORMATION;
    case Icon::Warning:
      return wxART_WARNING;
    case Icon::Error:
      return wxART_ERROR;
    case Icon::None:
      break;
  }
  return wxArtID();
}

constexpr int kMargin = 12;

// A message box is at most two thirds of the screen wide, as a system's own
// message box is; its text wraps to fit and the box grows down to show all
// of it.
int TextWidthLimit(const wxWindow* owner, int iconWidth) {
  const int display = owner ? wxDisplay::GetFromWindow(owner) : 0;
  const wxRect screen = wxDisplay(display == wxNOT_FOUND ? 0 : display).GetClientArea();
  constexpr int kNarrowest = 200;
  return std::max(screen.GetWidth() * 2 / 3 - iconWidth - 3 * kMargin, kNarrowest);
}

// A window manager cuts a caption that is wider than its title bar, where
// it shares the room with the window's icon and buttons: the box is at least
// as wide as its caption in bold, as title bars show it, with room for four
// square buttons the caption's height.
int CaptionWidth(const wxWindow* box, const wxString& caption) {
  const wxFont bold = box->GetFont().Bold();
  wxCoord width = 0;
  wxCoord height = 0;
  box->GetTextExtent(caption, &width, &height, nullptr, nullptr, &bold);
  constexpr int kTitleBarButtons = 4;
  return width + kTitleBarButtons * (height + kMargin);
}

// A message box of our own: the toolkit's native one shows no icon, and its
// portable one cannot do without.
class MessageBoxWindow : public wxDialog {
 public:
  MessageBoxWindow(wxWindow* owner, const std::string& text, const std::string& caption,
                   Buttons buttons, Icon icon)
      : wxDialog(owner, wxID_ANY, ToWx(caption)) {
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    int iconWidth = 0;
    if (icon != Icon::None) {
      wxBitmap image = wxArtProvider::GetBitmap(ArtOf(icon), wxART_MESSAGE_BOX);
      body->Add(new wxStaticBitmap(this, wxID_ANY, image), 0, wxRIGHT, kMargin);
      iconWidth = image.GetWidth() + kMargin;
    }
    auto* label = new wxStaticText(this, wxID_ANY, wxString());
    const wxString lines =
        WrapText(ToWx(text), TextWidthLimit(owner, iconWidth),
                 [label](const wxString& line) { return label->GetTextExtent(line).GetWidth(); });
    label->SetLabel(wxControl::EscapeMnemonics(lines));
    body->Add(label, 1, wxALIGN_CENTER_VERTICAL);
    auto* layout = new wxBoxSizer(wxVERTICAL);
    layout->Add(body, 1, wxEXPAND | wxALL, kMargin);
    const long choice = buttons == Buttons::YesNo ? wxYES_NO : wxOK;
    layout->Add(CreateSeparatedButtonSizer(choice), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(layout);
    const wxSize fitted = GetClientSize();
    SetClientSize(std::max(fitted.GetWidth(), CaptionWidth(this, GetTitle())), fitted.GetHeight());
    // Closing a question without an answer is the safe answer, No.
    SetEscapeId(buttons == Buttons::YesNo ? wxID_NO : wxID_OK);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) { EndModal(event.GetId()); });
    if (owner) {
      CentreOnParent();
    } else {
      CentreOnScreen();
    }
  }
};

Answer AnswerOf(int pressed) {
  switch (pressed) {
    case wxID_YES:
      return Answer::Yes;
    case wxID_NO:
      return Answer::No;
    default:
      return Answer::Ok;
  }
}

}  // namespace

Answer RunMessageBox(wxWindow* owner, const std::string& text, const std::string& caption,
                     Buttons buttons, Icon icon) {
  // A hidden owner (a dialog still being set up) cannot carry the box.
  if (owner && !owner->IsShownOnScreen()) owner = nullptr;
  MessageBoxWindow box(owner, text, caption, buttons, icon);
  return AnswerOf(box.ShowModal());
}

}  // namespace ui::window
