// Controls: native labels, group boxes, edits, combo boxes, check boxes and buttons inside the window,
// and the windows of owner-drawn controls; their texts and values as the model shows them, and what the
// user did to them, reported.
#include <windows.h>
// The system's other headers need it first.
#include <commctrl.h>

#include <algorithm>

#include "platform/native_files/win32_text.h"
#include "platform/win32/win32_classes.h"
#include "platform/win32/win32_platform.h"

namespace quorvel {
namespace {

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

// Check boxes toggle only when the model says so.
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

// NOTE: the system stacks each new child below its older siblings; a control must lie above the frame
// that contains it, so each one goes on top as it is made.
void Win32Platform::makeNativeControl(ControlId id, PixelRect area) {
  const ControlRecord& c = record(id);
  const bool surface = c.surface.has_value();
  const auto [className, style, exStyle] =
      surface ? ClassAndStyle{kSurfaceWindowClass, 0, 0} : classFor(c.spec.kind);
  // Every control that takes the focus starts a group of its own, so the arrow keys do not move the focus.
  const bool tabStop =
      c.spec.tabIndex >= 0 && c.spec.kind != ControlKind::frame && c.spec.kind != ControlKind::label;
  const std::wstring text =
      surface || c.spec.kind == ControlKind::comboBox ? std::wstring() : wide(c.spec.caption);
  const auto childId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(id)));
  controls_.resize(static_cast<std::size_t>(id) + 1);
  const HWND hwnd =
      CreateWindowExW(exStyle, className, text.c_str(),
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style | (tabStop ? WS_TABSTOP | WS_GROUP : 0),
                      0, 0, 1, 1, hwndOf(c.window), childId, instance_, surface ? this : nullptr);
  controls_.back() = hwnd;
  if (!hwnd) {
    if (surface) nativeSurfaceGone(id);
    return;
  }
  if (!surface && c.spec.kind == ControlKind::textBox) {
    // A limit for the user's typing only: text set by the program is never cut.
    SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(std::max(c.spec.maxLength, 0)), 0);
    SetWindowSubclass(hwnd, editProc, 0, reinterpret_cast<DWORD_PTR>(this));
  } else if (!surface && c.spec.kind == ControlKind::comboBox) {
    for (const std::string& item : c.spec.items)
      SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
    SendMessageW(hwnd, CB_LIMITTEXT, static_cast<WPARAM>(std::max(c.spec.maxLength, 0)), 0);
    if (const HWND edit = comboEdit(hwnd))
      SetWindowSubclass(edit, editProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  placeNative(id, area, record(c.window).dpi);
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Platform::placeNative(ControlId id, PixelRect area, int dpi) {
  const HWND hwnd = hwndOf(id);
  const ControlRecord& c = record(id);
  if (!hwnd) return;
  if (c.surface) {
    // What a smaller control no longer covers belongs to its container again.
    RECT before{};
    GetWindowRect(hwnd, &before);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&before), 2);
    InvalidateRect(GetParent(hwnd), &before, TRUE);
    SetWindowPos(hwnd, nullptr, area.left, area.top, area.width, area.height, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, FALSE);
    return;
  }
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.control(c.spec.font, dpi)), FALSE);
  int height = area.height;
  if (c.spec.kind == ControlKind::comboBox) {
    // The closed box as high as asked; the height given to the window is that of the open list.
    SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max<LPARAM>(height - 6, 1));
    height += 12 * height;
  }
  SetWindowPos(hwnd, nullptr, area.left, area.top, area.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (c.spec.kind == ControlKind::label) fitLabel(hwnd);
}

// A label is as large as its caption in its font.
void Win32Platform::fitLabel(HWND label) {
  const std::wstring text = windowText(label);
  HDC dc = GetDC(label);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT extent{0, 0, 0, 0};
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &extent, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);
  const int width = text.empty() ? 1 : std::max<int>(extent.right, 1);
  SetWindowPos(label, nullptr, 0, 0, width, std::max<int>(extent.bottom, 1),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32Platform::nativeText(ControlId id) const {
  const HWND hwnd = hwndOf(id);
  return hwnd ? narrow(windowText(hwnd)) : "";
}

void Win32Platform::setNativeText(ControlId id, std::string_view text) {
  const HWND hwnd = hwndOf(id);
  if (!hwnd) return;
  SetWindowTextW(hwnd, wide(text).c_str());
  if (record(id).spec.kind == ControlKind::label) fitLabel(hwnd);
}

void Win32Platform::showCheckValue(ControlId checkBox, int value) {
  const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
  SendMessageW(hwndOf(checkBox), BM_SETCHECK, state, 0);
}

bool Win32Platform::nativeFocusable(ControlId id) const {
  const HWND hwnd = hwndOf(id);
  return hwnd && IsWindowEnabled(hwnd) && IsWindowVisible(hwnd);
}

// Like a dialog, an edit entered by Tab has its text selected, so typing replaces it.
bool Win32Platform::giveNativeFocus(ControlId id, bool byTab) {
  const HWND hwnd = hwndOf(id);
  if (!hwnd || !IsWindowVisible(hwndOf(record(id).window))) return false;
  SetFocus(hwnd);
  const ControlKind kind = record(id).spec.kind;
  if (byTab && kind == ControlKind::textBox) SendMessageW(hwnd, EM_SETSEL, 0, -1);
  if (byTab && kind == ControlKind::comboBox) SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  return controlOf(GetFocus()) == id;
}

// Notifications of the controls: what the user did.
void Win32Platform::handleCommand(ControlId id, UINT code) {
  switch (record(id).spec.kind) {
    case ControlKind::textBox:
      if (code == EN_CHANGE) textEdited(id);
      break;
    case ControlKind::comboBox:
      if (code == CBN_EDITCHANGE) {
        textEdited(id);
      } else if (code == CBN_SELCHANGE && SendMessageW(hwndOf(id), CB_GETDROPPEDSTATE, 0, 0)) {
        // Arrow keys in the open list only move the highlight: the pick is the item there when it closes.
        pickOnClose_ = id;
      } else if (code == CBN_SELCHANGE || (code == CBN_CLOSEUP && pickOnClose_ == id)) {
        pickComboItem(id);
      } else if (code == CBN_SELENDCANCEL) {
        pickOnClose_.reset();
      }
      break;
    case ControlKind::checkBox:
    case ControlKind::button:
      if (code == BN_CLICKED) clicked(id);
      break;
    default:
      break;
  }
}

// NOTE: the combo box shows the picked item's text only after its notification returns; the model puts
// the text there first, so the handlers read it.
void Win32Platform::pickComboItem(ControlId id) {
  pickOnClose_.reset();
  itemPicked(id, static_cast<int>(SendMessageW(hwndOf(id), CB_GETCURSEL, 0, 0)));
}

LRESULT CALLBACK Win32Platform::editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR platform) {
  return reinterpret_cast<Win32Platform*>(platform)->handleEditMessage(hwnd, message, wParam, lParam);
}

// Edits report every typed character before taking it; its handler may change or swallow it.
// NOTE: the dialog manager takes Enter for the default button; the edit asks for it, so Enter reaches the
// key press handler (Enter in x moves to y).
LRESULT Win32Platform::handleEditMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending && (pending->message == WM_KEYDOWN || pending->message == WM_CHAR) &&
          pending->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_CHAR: {
      const auto id = controlOf(hwnd);
      if (!id) break;
      int key = static_cast<int>(wParam);
      keyTyped(*id, key);
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
