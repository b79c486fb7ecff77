#include "button_view.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>

#include "compact_widget.h"
#include "icon_image.h"
#include "wx_text.h"

namespace ui::window {
namespace {

wxWindow* MakeButton(ButtonControl& control, wxWindow* parent, bool startsRadioGroup) {
  const wxString label = ToWx(control.GetText());
  const wxPoint position = PositionOf(control.GetRect());
  const wxSize size = SizeOf(control.GetRect());
  switch (control.Kind()) {
    case ControlKind::CheckBox:
      return new Compact<wxCheckBox>(parent, wxID_ANY, label, position, size);
    case ControlKind::RadioButton:
      return new Compact<wxRadioButton>(parent, wxID_ANY, label, position, size,
                                        startsRadioGroup ? wxRB_GROUP : 0);
    default:
      break;
  }
  // An image button shows its icon alone; without a registered image it shows
  // its text so that it stays usable.
  wxBitmap image =
      control.HasStyle(style::kImageButton) ? IconBitmap(control.GetImage()) : wxBitmap();
  wxButton* button = nullptr;
  if (image.IsOk()) {
    button = new Compact<wxBitmapButton>(parent, wxID_ANY, image, position, size);
  } else {
    button = new Compact<wxButton>(parent, wxID_ANY, label, position, size);
  }
  if (control.IsDefault()) button->SetDefault();
  return button;
}

}  // namespace

ButtonView::ButtonView(ButtonControl& control, wxWindow* parent, bool startsRadioGroup)
    : WidgetView(control, MakeButton(control, parent, startsRadioGroup)), button_(control) {
  Widget()->Bind(wxEVT_BUTTON, &ButtonView::OnClick, this);
  Widget()->Bind(wxEVT_CHECKBOX, &ButtonView::OnClick, this);
  Widget()->Bind(wxEVT_RADIOBUTTON, &ButtonView::OnClick, this);
}

void ButtonView::Mirror(Aspect aspect) {
  switch (aspect) {
    case Aspect::Text:
      if (!dynamic_cast<wxBitmapButton*>(Widget())) {
        static_cast<wxControl*>(Widget())->SetLabel(ToWx(button_.GetText()));
      }
      break;
    case Aspect::Image:
      if (auto* imageButton = dynamic_cast<wxBitmapButton*>(Widget())) {
        wxBitmap image = IconBitmap(button_.GetImage());
        if (image.IsOk()) imageButton->SetBitmap(image);
      }
      break;
    case Aspect::Check:
      if (auto* check = dynamic_cast<wxCheckBox*>(Widget())) {
        check->SetValue(button_.GetCheck() == ButtonControl::kChecked);
      } else if (auto* radio = dynamic_cast<wxRadioButton*>(Widget())) {
        radio->SetValue(button_.GetCheck() == ButtonControl::kChecked);
      }
      break;
    default:
      break;
  }
}

// The toolkit has already toggled a check box or radio button when it
// reports the click; the model toggles its own state and the mirror then
// shows the model's. A click the model refuses changes nothing there, so
// the widget is set back.
void ButtonView::OnClick(wxCommandEvent&) {
  if (Mirroring()) return;
  if (!button_.UserClick()) Update(Aspect::Check);
}

}  // namespace ui::window
