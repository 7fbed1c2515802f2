#include "platform/shared/handlers.h"

namespace quorvel {
namespace {

template <typename Handler, typename... Args>
void raise(const Handler& handler, Args&... args) {
  if (Handler copy = handler) copy(args...);
}

}  // namespace

void raiseClick(const ControlHandlers& handlers) { raise(handlers.onClick); }

void raiseChange(const ControlHandlers& handlers) { raise(handlers.onChange); }

void raiseKeyPress(const ControlHandlers& handlers, int& keyAscii) { raise(handlers.onKeyPress, keyAscii); }

}  // namespace quorvel
