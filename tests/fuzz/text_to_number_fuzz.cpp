// TextToNumber on any text: never NaN, blind to blanks, tabs and line feeds, and deaf after a NUL.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/text_to_number.h"

namespace {

bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = quorvel::TextToNumber(text);
  if (std::isnan(value)) std::abort();

  std::string withoutBlanks;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') withoutBlanks += c;
  }
  if (!same(quorvel::TextToNumber(withoutBlanks), value)) std::abort();

  if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
    if (!same(quorvel::TextToNumber(text.substr(0, nul)), value)) std::abort();
  }
  return 0;
}
