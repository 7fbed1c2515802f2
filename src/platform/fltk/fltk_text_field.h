// A single-line text box. Character keys are reported before they are inserted, so that a handler may
// change or swallow them, and the typing limit applies to what the user types or pastes only.
#pragma once

#include <FL/Fl_Input.H>

#include <functional>

namespace quorvel {

class TextField : public Fl_Input {
 public:
  TextField(int x, int y, int w, int h);

  int maxLength = 0;  // characters; 0: no limit
  std::function<void(int& keyAscii)> onKeyPress;
  // Sees each key before the field does; true when it used the key.
  std::function<bool()> interceptKey;

  int handle(int event) override;

 private:
  bool isCharacterKey() const;
  void typeCharacters();
  int pasteWithinLimit();
  // Characters that may still be typed, counting the selection as gone.
  int room() const;
};

}  // namespace quorvel
