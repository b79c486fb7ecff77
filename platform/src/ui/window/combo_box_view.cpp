#include "combo_box_view.h"

#include <wx/bmpcbox.h>
#include <wx/combobox.h>

#include "ui/dialog.h"
#include "wx_text.h"

namespace ui::window {
namespace {

// The template's height includes the dropped-down list. Closed, a combo box
// is a line of the dialog font high with a small margin, as the templates
// expect: the control below often stands that close. The theme's own combo
// box is twice as high and would cover it.
wxSize ClosedSize(const ComboBoxControl& control, const wxWindow* parent) {
  constexpr int kMargins = 10;
  return {control.GetRect().width, parent->GetCharHeight() + kMargins};
}

// A drop-down combo box has an edit field. A drop-down list has none: it
// shows its selection without a caret and opens wherever it is clicked (the
// toolkit makes its read-only combo box of an edit field, its image combo
// box without one).
wxComboBox* MakeCombo(const ComboBoxControl& control, wxWindow* parent) {
  const wxPoint position = PositionOf(control.GetRect());
  const wxSize size = ClosedSize(control, parent);
  if (control.HasStyle(style::kDropDown)) {
    return new wxComboBox(parent, wxID_ANY, wxString(), position, size, 0, nullptr, wxCB_DROPDOWN);
  }
  return new wxBitmapComboBox(parent, wxID_ANY, wxString(), position, size, 0, nullptr,
                              wxCB_READONLY);
}

}  // namespace

ComboBoxView::ComboBoxView(ComboBoxControl& control, wxWindow* parent)
    : WidgetView(control, MakeCombo(control, parent)),
      combo_(control),
      editable_(control.HasStyle(style::kDropDown)) {
  Widget()->Bind(wxEVT_COMBOBOX, &ComboBoxView::OnSelect, this);
  if (editable_) Widget()->Bind(wxEVT_TEXT, &ComboBoxView::OnText, this);
  Widget()->Bind(wxEVT_COMBOBOX_DROPDOWN, &ComboBoxView::OnDropDown, this);
  Widget()->Bind(wxEVT_COMBOBOX_CLOSEUP, &ComboBoxView::OnCloseUp, this);
}

wxComboBox* ComboBoxView::Combo() const { return static_cast<wxComboBox*>(Widget()); }

wxSize ComboBoxView::WidgetSize() const { return ClosedSize(combo_, Widget()->GetParent()); }

void ComboBoxView::Mirror(Aspect aspect) {
  switch (aspect) {
    case Aspect::Items:
      MirrorItems();
      MirrorSelection();
      MirrorText();
      break;
    case Aspect::Selection:
      MirrorSelection();
      break;
    case Aspect::Text:
      MirrorText();
      break;
    default:
      break;
  }
}

// Items are only ever appended or all removed, so appending what the widget
// lacks is the usual case; anything else rebuilds the list.
void ComboBoxView::MirrorItems() {
  wxComboBox* widget = Combo();
  const int shown = static_cast<int>(widget->GetCount());
  bool prefix = shown <= combo_.GetCount();
  for (int item = 0; prefix && item < shown; ++item) {
    prefix = widget->GetString(item) == ToWx(combo_.GetItemText(item));
  }
  if (!prefix) {
    widget->Clear();
  }
  for (int item = prefix ? shown : 0; item < combo_.GetCount(); ++item) {
    widget->Append(ToWx(combo_.GetItemText(item)));
  }
}

void ComboBoxView::MirrorSelection() {
  if (Combo()->GetSelection() != combo_.GetCurSel()) Combo()->SetSelection(combo_.GetCurSel());
}

// A drop-down list shows its selection only.
void ComboBoxView::MirrorText() {
  if (!editable_) return;
  if (TextAfterEdit(combo_.GetText(), Combo()->GetValue()) != combo_.GetText()) {
    Combo()->ChangeValue(ToWx(combo_.GetText()));
  }
}

void ComboBoxView::OnSelect(wxCommandEvent&) {
  if (Mirroring()) return;
  int picked = Combo()->GetSelection();
  if (picked != wxNOT_FOUND) combo_.UserSelect(picked);
}

// A pick from the list also changes the edit field; that change arrives with
// the list's selection still set and belongs to the pick, which reports the
// field's previous text first.
void ComboBoxView::OnText(wxCommandEvent&) {
  if (Mirroring() || Combo()->GetSelection() != wxNOT_FOUND) return;
  std::string typed = TextAfterEdit(combo_.GetText(), Combo()->GetValue());
  if (typed != combo_.GetText()) ReportTyping([&] { combo_.UserType(typed); });
}

// A click that opens the list gives the focus to the toolkit's button part of
// the combo box, of which the toolkit tells nothing. A drop-down combo box
// passes it on to its edit field, as typing goes there; a drop-down list has
// no other part, and the dialog hears of its focus here.
void ComboBoxView::OnDropDown(wxCommandEvent& event) {
  event.Skip();
  if (Mirroring()) return;
  if (editable_) {
    Widget()->SetFocus();
  } else {
    combo_.Owner().SetFocusTo(&combo_);
  }
}

// The toolkit may report the closing before the pick it closes with; the
// model hears of it once the pick has been handled.
void ComboBoxView::OnCloseUp(wxCommandEvent& event) {
  event.Skip();
  if (!Mirroring()) CallAfter(&ComboBoxView::CloseUp);
}

void ComboBoxView::CloseUp() { combo_.UserCloseUp(); }

}  // namespace ui::window
