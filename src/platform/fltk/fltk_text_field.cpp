#include "platform/fltk/fltk_text_field.h"

#include <FL/Fl.H>
#include <FL/fl_utf8.h>

#include <algorithm>
#include <cctype>

namespace quorvel {
namespace {

constexpr int kEnterKeyAscii = 13;
constexpr int kBackspaceKeyAscii = 8;

bool modifierHeld() { return (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) != 0; }

int characterCount(const char* text, int bytes) {
  return fl_utf_nb_char(reinterpret_cast<const unsigned char*>(text), bytes);
}

}  // namespace

TextField::TextField(int x, int y, int w, int h) : Fl_Input(x, y, w, h) {
  when(FL_WHEN_CHANGED);  // the callback hears of every change the user makes
}

int TextField::handle(int event) {
  if (event == FL_PASTE) return pasteWithinLimit();
  if (event != FL_KEYBOARD) return Fl_Input::handle(event);
  if (interceptKey && interceptKey()) return 1;

  const int key = Fl::event_key();
  if ((key == FL_Enter || key == FL_KP_Enter) && !modifierHeld()) {
    int keyAscii = kEnterKeyAscii;
    if (onKeyPress) onKeyPress(keyAscii);
    return 1;
  }
  if (key == FL_BackSpace && !modifierHeld()) {
    int keyAscii = kBackspaceKeyAscii;
    if (onKeyPress) onKeyPress(keyAscii);
    return keyAscii == 0 ? 1 : Fl_Input::handle(event);
  }
  if (isCharacterKey()) {
    typeCharacters();
    return 1;
  }
  return Fl_Input::handle(event);
}

bool TextField::isCharacterKey() const {
  if (Fl::event_length() <= 0 || modifierHeld()) return false;
  const auto first = static_cast<unsigned char>(Fl::event_text()[0]);
  return first >= 0x20 && first != 0x7F;
}

void TextField::typeCharacters() {
  const char* text = Fl::event_text();
  const char* const end = text + Fl::event_length();
  while (text < end) {
    int length = 0;
    int keyAscii = static_cast<int>(fl_utf8decode(text, end, &length));
    text += std::max(length, 1);
    if (onKeyPress) onKeyPress(keyAscii);
    if (keyAscii <= 0) continue;  // swallowed by the handler
    if (maxLength > 0 && room() <= 0) continue;
    char encoded[8];
    const int bytes = fl_utf8encode(static_cast<unsigned>(keyAscii), encoded);
    replace(position(), mark(), encoded, bytes);  // raises the change through the callback
  }
}

int TextField::pasteWithinLimit() {
  if (maxLength <= 0) return Fl_Input::handle(FL_PASTE);
  const char* text = Fl::event_text();
  const char* end = text + std::max(Fl::event_length(), 0);
  // Like the field's own paste: trailing blanks and line ends are dropped.
  while (end > text && std::isspace(static_cast<unsigned char>(end[-1]))) --end;
  const char* cut = text;
  for (int allowed = room(); allowed > 0 && cut < end; --allowed) {
    int length = 0;
    fl_utf8decode(cut, end, &length);
    cut += std::max(length, 1);
  }
  if (cut > text) replace(position(), mark(), text, static_cast<int>(cut - text));
  return 1;
}

int TextField::room() const {
  const int from = std::min(position(), mark());
  const int to = std::max(position(), mark());
  const int kept = characterCount(value(), size()) - characterCount(value() + from, to - from);
  return maxLength - kept;
}

}  // namespace quorvel
