#include "edit_view.h"

#include <wx/settings.h>
#include <wx/textctrl.h>

#include "wx_text.h"

namespace ui::window {
namespace {

long EditStyle(const EditControl& control) {
  long flags = 0;
  if (control.HasStyle(style::kMultiLine)) {
    flags |= wxTE_MULTILINE;
    // Without horizontal auto-scroll a multi-line edit wraps its lines.
    flags |= control.HasStyle(style::kAutoHScroll) ? wxTE_DONTWRAP : wxTE_WORDWRAP;
  }
  if (control.IsReadOnly()) flags |= wxTE_READONLY;
  if (!control.HasStyle(style::kBorder)) flags |= wxBORDER_NONE;
  return flags;
}

}  // namespace

EditView::EditView(EditControl& control, wxWindow* parent)
    : WidgetView(control,
                 new wxTextCtrl(parent, wxID_ANY, wxString(), PositionOf(control.GetRect()),
                                SizeOf(control.GetRect()), EditStyle(control))),
      edit_(control),
      multiLine_(control.HasStyle(style::kMultiLine)) {
  Widget()->Bind(wxEVT_TEXT, &EditView::OnText, this);
  // The theme draws a read-only edit as an editable one; it gets the
  // window's background, as read-only fields have, so that it does not
  // invite typing.
  if (control.IsReadOnly()) {
    Widget()->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  }
}

wxTextCtrl* EditView::Text() const { return static_cast<wxTextCtrl*>(Widget()); }

// The widget lays out a long text while the toolkit is idle, and goes on doing
// so for as long as it exists, which is until the toolkit's next idle time
// after its window has closed: without its text it has nothing to do.
EditView::~EditView() {
  if (multiLine_) Text()->Freeze();
}

// The bytes that the widget's text stands for, as the model holds them.
std::string EditView::ShownText() const {
  const wxString value = Text()->GetValue();
  if (value.empty()) return std::string();
  const std::string& model = edit_.GetText();
  const std::string shown = TextAfterEdit(multiLine_ ? ToWidgetLines(model) : model, value);
  return multiLine_ ? ToModelLines(shown) : shown;
}

// The widget keeps its caret when it already shows the model's text, as it
// does while the user types.
void EditView::Mirror(Aspect aspect) {
  if (aspect != Aspect::Text || ShownText() == edit_.GetText()) return;
  ShowText(edit_.GetText());
}

// A long text goes to the widget in parts: the toolkit's strings take four
// bytes a character, and the whole text in one would take many times its
// size in memory at once. The widget, frozen meanwhile, lays out the text
// once it has all of it.
void EditView::ShowText(const std::string& text) {
  constexpr size_t kPart = 1 << 20;
  if (text.size() <= kPart) {
    Text()->ChangeValue(ToWx(multiLine_ ? ToWidgetLines(text) : text));
    return;
  }
  Text()->Freeze();
  Text()->ChangeValue(wxString());
  for (size_t at = 0; at < text.size();) {
    const size_t end = PartEnd(text, at, kPart);
    const std::string part = text.substr(at, end - at);
    Text()->AppendText(ToWx(multiLine_ ? ToWidgetLines(part) : part));
    at = end;
  }
  Text()->Thaw();
  Text()->SetInsertionPoint(0);
}

void EditView::OnText(wxCommandEvent&) {
  if (Mirroring()) return;
  const std::string typed = ShownText();
  if (typed != edit_.GetText()) ReportTyping([&] { edit_.UserType(typed); });
}

}  // namespace ui::window
