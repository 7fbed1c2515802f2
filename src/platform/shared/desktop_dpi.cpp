#include "platform/shared/desktop_dpi.h"

#include <charconv>
#include <cmath>

namespace quorvel {
namespace {

constexpr std::string_view kDpiResource = "Xft.dpi";
// Half and five times the nominal 96 dpi: beyond them a value is a typing error, not a scaling.
constexpr double kLowestDpi = 48;
constexpr double kHighestDpi = 480;

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<int> dpiValue(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (!(value >= kLowestDpi && value <= kHighestDpi)) return std::nullopt;
  return static_cast<int>(std::lround(value));
}

}  // namespace

std::optional<int> desktopDpi(std::string_view resources) {
  std::optional<std::string_view> named;
  while (!resources.empty()) {
    const auto end = resources.find('\n');
    const std::string_view line = resources.substr(0, end);
    resources = end == std::string_view::npos ? std::string_view{} : resources.substr(end + 1);
    const auto colon = line.find(':');
    if (colon != std::string_view::npos && trimmed(line.substr(0, colon)) == kDpiResource)
      named = trimmed(line.substr(colon + 1));
  }
  return named ? dpiValue(*named) : std::nullopt;
}

}  // namespace quorvel
