// Controls: native labels, group boxes, edits, combo boxes, check boxes and buttons inside the window,
// their texts and values, the events they raise, and the focus.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/shared/handlers.h"
#include "platform/shared/tab_order.h"
#include "platform/win32/win32_control_surface.h"
#include "platform/win32/win32_platform.h"
#include "platform/native_files/win32_text.h"

namespace quorvel {
namespace {

// Child window identifiers start above the dialog manager's IDOK and IDCANCEL.
constexpr int kFirstControlId = 100;

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

// Every control that takes the focus starts a group of its own, so the arrow keys do not move the focus.
ClassAndStyle classFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::frame:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::label:
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::textBox:
      return {WC_EDITW, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::comboBox:
      return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0};
    case ControlKind::checkBox:
      return {WC_BUTTONW, BS_3STATE, 0};
    case ControlKind::button:
      return {WC_BUTTONW, BS_PUSHBUTTON, 0};
  }
  return {WC_STATICW, 0, 0};
}

std::wstring windowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND comboEdit(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

}  // namespace

const ControlSpec& Win32Platform::placementOf(ControlId id) const { return control(id).spec; }

std::vector<ControlId> Win32Platform::controlsOf(WindowHandle handle) const {
  std::vector<ControlId> ids;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].window == handle) ids.push_back(static_cast<ControlId>(i));
  }
  return ids;
}

void Win32Platform::placeControl(ControlId id, PixelRect area, int dpi) {
  ControlRecord& c = control(id);
  if (c.surface) {
    c.surface->place(POINT{area.left, area.top}, dpi);
    return;
  }
  if (!c.hwnd) return;
  SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.control(c.spec.font, dpi)), FALSE);
  int height = area.height;
  if (c.spec.kind == ControlKind::comboBox) {
    // The closed box as high as asked; the height given to the window is that of the open list.
    SendMessageW(c.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max<LPARAM>(height - 6, 1));
    height += 12 * height;
  }
  SetWindowPos(c.hwnd, nullptr, area.left, area.top, area.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (c.spec.kind == ControlKind::label) fitLabel(c);
}

void Win32Platform::placeNewControl(ControlId id) {
  const int dpi = window(control(id).window).dpi;
  placeControl(id, controlArea(*this, control(id).spec, dpi), dpi);
}

// NOTE: the system stacks each new child below its older siblings; a control must lie above the frame
// that contains it, so each one goes on top as it is made.
void Win32Platform::raiseAboveFrames(HWND hwnd) { SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

// A label is as large as its caption in its font.
void Win32Platform::fitLabel(ControlRecord& c) {
  const std::wstring text = windowText(c.hwnd);
  HDC dc = GetDC(c.hwnd);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(c.hwnd, WM_GETFONT, 0, 0)));
  RECT extent{0, 0, 0, 0};
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &extent, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, previous);
  ReleaseDC(c.hwnd, dc);
  const int width = text.empty() ? 1 : std::max<int>(extent.right, 1);
  SetWindowPos(c.hwnd, nullptr, 0, 0, width, std::max<int>(extent.bottom, 1), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ControlId Win32Platform::createControl(WindowHandle handle, const ControlSpec& spec) {
  if (spec.container && (control(*spec.container).spec.kind != ControlKind::frame || control(*spec.container).window != handle))
    throw std::invalid_argument("container is not a frame of this window");
  const WindowRecord& w = window(handle);
  const auto id = static_cast<ControlId>(controls_.size());
  const auto [className, style, exStyle] = classFor(spec.kind);
  const DWORD focusStyle = spec.tabIndex >= 0 && spec.kind != ControlKind::frame && spec.kind != ControlKind::label
                               ? WS_TABSTOP | WS_GROUP
                               : 0;
  const std::wstring caption = spec.kind == ControlKind::comboBox ? std::wstring() : wide(spec.caption);
  const HWND hwnd = CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style | focusStyle,
                                    0, 0, 1, 1, w.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(id))),
                                    instance_, nullptr);
  controls_.push_back(ControlRecord{handle, spec, {}, hwnd, nullptr, -1, false});
  switch (spec.kind) {
    case ControlKind::textBox:
      // A limit for the user's typing only: text set by the program is never cut.
      SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(std::max(spec.maxLength, 0)), 0);
      SetWindowSubclass(hwnd, editProc, 0, reinterpret_cast<DWORD_PTR>(this));
      break;
    case ControlKind::comboBox:
      for (const std::string& item : spec.items) SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
      SendMessageW(hwnd, CB_LIMITTEXT, static_cast<WPARAM>(std::max(spec.maxLength, 0)), 0);
      if (const HWND edit = comboEdit(hwnd)) SetWindowSubclass(edit, editProc, 0, reinterpret_cast<DWORD_PTR>(this));
      break;
    default:
      break;
  }
  placeNewControl(id);
  raiseAboveFrames(hwnd);
  return id;
}

void Win32Platform::setControlHandlers(ControlId id, ControlHandlers handlers) {
  control(id).handlers = std::move(handlers);
}

// Notifications of the controls. Changes made by the program raise their events where they are made.
void Win32Platform::handleCommand(ControlId id, UINT code) {
  ControlRecord& c = control(id);
  if (settingText_) return;
  switch (c.spec.kind) {
    case ControlKind::textBox:
      if (code == EN_CHANGE) raiseChange(control(id).handlers);
      break;
    case ControlKind::comboBox:
      if (code == CBN_EDITCHANGE) {
        c.listIndex = -1;  // typed text selects no item
        raiseChange(control(id).handlers);
      } else if (code == CBN_SELCHANGE) {
        // Arrow keys in the open list only move the highlight: the pick is the item there when it closes.
        if (SendMessageW(c.hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
          c.pickPending = true;
        } else {
          pickComboItem(id);
        }
      } else if (code == CBN_CLOSEUP && c.pickPending) {
        pickComboItem(id);
      } else if (code == CBN_SELENDCANCEL) {
        c.pickPending = false;
      }
      break;
    case ControlKind::checkBox:
      if (code == BN_CLICKED) {
        // The user toggles between clear and checked; only the program sets the third state.
        SendMessageW(c.hwnd, BM_SETCHECK, checkValue(id) == 1 ? BST_UNCHECKED : BST_CHECKED, 0);
        raiseClick(control(id).handlers);
      }
      break;
    case ControlKind::button:
      if (code == BN_CLICKED) raiseClick(control(id).handlers);
      break;
    default:
      break;
  }
}

// NOTE: the combo box shows the picked item's text only after its notification returns, so the text is
// put there first: the handlers read it.
void Win32Platform::pickComboItem(ControlId id) {
  ControlRecord& c = control(id);
  c.pickPending = false;
  const auto item = static_cast<int>(SendMessageW(c.hwnd, CB_GETCURSEL, 0, 0));
  if (item < 0) return;
  c.listIndex = item;
  const std::string text = item < static_cast<int>(c.spec.items.size()) ? c.spec.items[static_cast<std::size_t>(item)] : "";
  const bool changed = controlText(id) != text;
  if (changed) {
    settingText_ = true;
    SetWindowTextW(c.hwnd, wide(text).c_str());
    settingText_ = false;
    raiseChange(control(id).handlers);
  }
  raiseClick(control(id).handlers);
}

std::string Win32Platform::controlText(ControlId id) const {
  const ControlRecord& c = control(id);
  if (c.spec.kind == ControlKind::textBox || c.spec.kind == ControlKind::comboBox) return c.hwnd ? narrow(windowText(c.hwnd)) : "";
  return c.spec.caption;
}

void Win32Platform::setControlText(ControlId id, std::string_view text) {
  if (controlText(id) == text) return;
  ControlRecord& c = control(id);
  if (c.spec.kind != ControlKind::textBox && c.spec.kind != ControlKind::comboBox) c.spec.caption = std::string(text);
  if (c.hwnd && !c.surface) {
    settingText_ = true;
    SetWindowTextW(c.hwnd, wide(text).c_str());
    settingText_ = false;
    if (c.spec.kind == ControlKind::label) fitLabel(c);
  }
  raiseChange(control(id).handlers);
}

int Win32Platform::listIndex(ControlId combo) const { return control(combo).listIndex; }

int Win32Platform::checkValue(ControlId checkBox) const {
  const ControlRecord& c = control(checkBox);
  if (c.spec.kind != ControlKind::checkBox) return 0;
  switch (SendMessageW(c.hwnd, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return 1;
    case BST_INDETERMINATE:
      return 2;
    default:
      return 0;
  }
}

void Win32Platform::setCheckValue(ControlId checkBox, int value) {
  const ControlRecord& c = control(checkBox);
  if (c.spec.kind != ControlKind::checkBox) return;
  const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
  SendMessageW(c.hwnd, BM_SETCHECK, state, 0);
}

void Win32Platform::setFocus(ControlId id) {
  const ControlRecord& c = control(id);
  if (c.spec.tabIndex < 0 || !c.hwnd || c.spec.kind == ControlKind::frame || c.spec.kind == ControlKind::label) return;
  focusTracker_.focused(c.window, id);
  if (IsWindowVisible(window(c.window).hwnd)) SetFocus(c.hwnd);
}

void Win32Platform::moveFocus(WindowHandle handle, bool backwards) {
  std::vector<TabStop> stops;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const ControlRecord& c = controls_[i];
    if (c.window != handle || !c.hwnd || c.spec.kind == ControlKind::frame || c.spec.kind == ControlKind::label) continue;
    stops.push_back(TabStop{static_cast<ControlId>(i), c.spec.tabIndex, IsWindowEnabled(c.hwnd) && IsWindowVisible(c.hwnd)});
  }
  std::optional<ControlId> from = controlOf(GetFocus());
  if (from && control(*from).window != handle) from.reset();
  const auto next = nextTabStop(stops, from, backwards);
  if (!next) return;
  setFocus(*next);
  // Like a dialog, an edit entered by Tab has its text selected, so typing replaces it.
  const ControlRecord& c = control(*next);
  if (c.spec.kind == ControlKind::textBox) SendMessageW(c.hwnd, EM_SETSEL, 0, -1);
  if (c.spec.kind == ControlKind::comboBox) SendMessageW(c.hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

LRESULT CALLBACK Win32Platform::editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR platform) {
  return reinterpret_cast<Win32Platform*>(platform)->handleEditMessage(hwnd, message, wParam, lParam);
}

// Edits raise the key press event for every typed character; its handler may change or swallow it.
// NOTE: the dialog manager takes Enter for the default button; the edit asks for it, so Enter reaches the
// key press handler (Enter in x moves to y).
LRESULT Win32Platform::handleEditMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending && (pending->message == WM_KEYDOWN || pending->message == WM_CHAR) && pending->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_CHAR: {
      const auto id = controlOf(hwnd);
      if (!id) break;
      int key = static_cast<int>(wParam);
      raiseKeyPress(control(*id).handlers, key);
      if (key == 0) return 0;
      return DefSubclassProc(hwnd, message, static_cast<WPARAM>(key), lParam);
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, editProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace quorvel
