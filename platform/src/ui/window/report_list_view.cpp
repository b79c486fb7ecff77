#include "report_list_view.h"

#include <wx/listctrl.h>
#include <wx/settings.h>

#include "wx_text.h"

namespace ui::window {
namespace {

long ListStyle(const ListViewControl& control) {
  long flags = wxLC_REPORT;
  flags |= control.HasStyle(style::kBorder) ? wxBORDER_THEME : wxBORDER_NONE;
  return flags;
}

// The part of the list that shows the rows (below the column headers): it
// receives the mouse and the keys.
wxWindow* RowsWindowOf(wxListCtrl* list) {
  for (wxWindow* child : list->GetChildren()) {
    if (static_cast<const void*>(child) == static_cast<const void*>(list->m_mainWin)) return child;
  }
  return list;
}

Key KeyOf(int keyCode) {
  switch (keyCode) {
    case WXK_UP:
    case WXK_NUMPAD_UP:
      return Key::Up;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
      return Key::Down;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
      return Key::Home;
    case WXK_END:
    case WXK_NUMPAD_END:
      return Key::End;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
      return Key::PageUp;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
      return Key::PageDown;
    case WXK_SPACE:
      return Key::Space;
    default:
      return Key::Other;
  }
}

}  // namespace

ReportListView::ReportListView(ListViewControl& control, wxWindow* parent)
    : WidgetView(control, new wxListCtrl(parent, wxID_ANY, PositionOf(control.GetRect()),
                                         SizeOf(control.GetRect()), ListStyle(control))),
      list_(control),
      rows_(RowsWindowOf(List())),
      enabledText_(List()->GetForegroundColour()),
      enabledBackground_(List()->GetBackgroundColour()) {
  // Mouse buttons and keys never reach the widget's own handling, which would
  // change the selection behind the model's back; the wheel still scrolls.
  rows_->Bind(wxEVT_LEFT_DOWN, &ReportListView::OnLeftDown, this);
  rows_->Bind(wxEVT_LEFT_DCLICK, &ReportListView::OnDoubleClick, this);
  for (const auto& ignored : std::initializer_list<wxEventTypeTag<wxMouseEvent>>{
           wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_RIGHT_DCLICK, wxEVT_MIDDLE_DOWN,
           wxEVT_MOTION}) {
    rows_->Bind(ignored, &ReportListView::Ignore, this);
  }
  rows_->Bind(wxEVT_KEY_DOWN, &ReportListView::OnKeyDown, this);
}

wxListCtrl* ReportListView::List() const { return static_cast<wxListCtrl*>(Widget()); }

void ReportListView::Mirror(Aspect aspect) {
  switch (aspect) {
    case Aspect::Columns:
      MirrorColumns();
      MirrorRows();
      break;
    case Aspect::Rows:
      MirrorRows();
      break;
    case Aspect::RowState:
    case Aspect::Focus:
      MirrorRowStates();
      break;
    case Aspect::Enabled:
      MirrorEnabled();
      break;
    case Aspect::ExtendedStyle:
      MirrorExtendedStyle();
      break;
    case Aspect::EnsureVisible: {
      int row = list_.LastEnsuredVisible();
      if (row >= 0 && row < List()->GetItemCount()) List()->EnsureVisible(row);
      break;
    }
    default:
      break;
  }
}

void ReportListView::MirrorColumns() {
  wxListCtrl* list = List();
  list->DeleteAllColumns();
  int index = 0;
  for (const ListViewControl::Column& column : list_.Columns()) {
    list->InsertColumn(index++, ToWx(column.text), wxLIST_FORMAT_LEFT, column.width);
  }
}

// A change of texts updates the rows in place, so that the list keeps its
// scroll position; rows inserted or deleted rebuild the list (rows are few:
// one per substitution rule).
void ReportListView::MirrorRows() {
  wxListCtrl* list = List();
  const bool sameRows = list->GetItemCount() == list_.GetItemCount();
  list->Freeze();
  if (!sameRows) list->DeleteAllItems();
  for (int row = 0; row < list_.GetItemCount(); ++row) {
    if (!sameRows) list->InsertItem(row, wxString());
    for (int column = 0; column < list->GetColumnCount(); ++column) {
      const wxString text = ToWx(list_.GetItemText(row, column));
      if (list->GetItemText(row, column) != text) list->SetItem(row, column, text);
    }
  }
  list->Thaw();
  MirrorRowStates();
}

// A list view shows its selection and its focused row only while it has the
// focus: elsewhere in the dialog, the commands that act on the selected row
// may not apply to it.
void ReportListView::MirrorRowStates() {
  wxListCtrl* list = List();
  const long mask = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
  const bool shown = list_.HasFocus();
  for (int row = 0; row < list_.GetItemCount() && row < list->GetItemCount(); ++row) {
    long state = 0;
    if (shown && list_.GetItemState(row, kItemSelected)) state |= wxLIST_STATE_SELECTED;
    if (shown && list_.GetItemState(row, kItemFocused)) state |= wxLIST_STATE_FOCUSED;
    if (list->GetItemState(row, mask) != state) list->SetItemState(row, state, mask);
  }
}

// The toolkit's list draws itself alike enabled or not; a disabled one greys
// its rows as the theme greys every other disabled control.
void ReportListView::MirrorEnabled() {
  wxListCtrl* list = List();
  if (list_.IsEnabled()) {
    list->SetForegroundColour(enabledText_);
    list->SetBackgroundColour(enabledBackground_);
  } else {
    list->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    list->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  }
  list->Refresh();
}

void ReportListView::MirrorExtendedStyle() {
  long flags = List()->GetWindowStyleFlag() & ~(wxLC_HRULES | wxLC_VRULES);
  if (list_.GetExtendedStyle() & kListGridLines) flags |= wxLC_HRULES | wxLC_VRULES;
  List()->SetWindowStyleFlag(flags);
  List()->Refresh();
}

// The row under `point` (in the rows window), -1 below the rows.
int ReportListView::RowAt(const wxPoint& point) const {
  int flags = 0;
  long row = List()->HitTest(point, flags);
  return (row >= 0 && (flags & wxLIST_HITTEST_ONITEM)) ? static_cast<int>(row) : -1;
}

void ReportListView::Ignore(wxMouseEvent&) {}

void ReportListView::OnLeftDown(wxMouseEvent& event) {
  list_.UserClick(RowAt(event.GetPosition()));
}

void ReportListView::OnDoubleClick(wxMouseEvent& event) {
  list_.UserDoubleClick(RowAt(event.GetPosition()));
}

// A key pressed with Alt is a mnemonic of the dialog, wherever the focus is;
// every other key is the list's (Tab never gets here: the dialog takes it).
void ReportListView::OnKeyDown(wxKeyEvent& event) {
  if (event.AltDown()) {
    event.Skip();
    return;
  }
  list_.SetRowsPerPage(List()->GetCountPerPage());
  list_.UserKeyDown(KeyOf(event.GetKeyCode()));
}

}  // namespace ui::window
