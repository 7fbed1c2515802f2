#include "platform/native_files/win32_text.h"

#include "base/utf.h"

namespace quorvel {

// wchar_t is a UTF-16 unit on this system: the units are copied, never reinterpreted.
std::wstring wide(std::string_view text) {
  const std::u16string units = utf8ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

std::string narrow(std::wstring_view text) { return utf16ToUtf8(std::u16string(text.begin(), text.end())); }

}  // namespace quorvel
