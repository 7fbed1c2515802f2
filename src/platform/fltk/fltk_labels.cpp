#include "platform/fltk/fltk_labels.h"

namespace quorvel {
namespace {

std::string doubled(std::string_view text, std::string_view marks) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    if (marks.find(c) != std::string_view::npos) escaped += c;
    escaped += c;
  }
  return escaped;
}

}  // namespace

std::string literalLabel(std::string_view text) { return doubled(text, "@"); }

std::string literalMenuLabel(std::string_view text) { return doubled(text, "@&"); }

}  // namespace quorvel
