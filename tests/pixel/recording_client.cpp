#include "recording_client.h"

#include <cmath>

namespace quorvel {
namespace {

std::string pointer(const char* what, std::int16_t button, std::int16_t shift, float x, float y) {
  return std::string(what) + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
         std::to_string(std::lround(x)) + " " + std::to_string(std::lround(y));
}

}  // namespace

std::vector<std::string> RecordingClient::entries(std::initializer_list<std::string_view> prefixes) const {
  std::vector<std::string> found;
  for (const std::string& entry : log)
    for (const std::string_view prefix : prefixes)
      if (entry.rfind(prefix, 0) == 0) {
        found.push_back(entry);
        break;
      }
  return found;
}

void RecordingClient::pointerMoved(std::int16_t button, std::int16_t shift, float x, float y) {
  log.push_back(pointer("move", button, shift, x, y));
  if (afterMove) afterMove(x, y);
}

void RecordingClient::pointerPressed(std::int16_t button, std::int16_t shift, float x, float y) {
  log.push_back(pointer("press", button, shift, x, y));
}

void RecordingClient::pointerReleased(std::int16_t button, std::int16_t shift, float x, float y) {
  log.push_back(pointer("release", button, shift, x, y));
}

void RecordingClient::keyDown(std::int16_t keyCode, std::int16_t shift) {
  log.push_back("down " + std::to_string(keyCode) + " " + std::to_string(shift));
}

void RecordingClient::keyPressed(std::int16_t keyAscii) { log.push_back("char " + std::to_string(keyAscii)); }

void RecordingClient::keyUp(std::int16_t keyCode, std::int16_t shift) {
  log.push_back("up " + std::to_string(keyCode) + " " + std::to_string(shift));
}

}  // namespace quorvel
