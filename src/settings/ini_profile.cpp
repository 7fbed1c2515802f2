#include "settings/ini_profile.h"

#include <vector>

namespace quorvel {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct Line {
  std::string_view content;  // without its line end
  std::string_view end;      // "\r\n", "\n", "\r" or "" for a last line without one
};

std::vector<Line> splitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t brk = text.find_first_of("\r\n", start);
    if (brk == std::string_view::npos) {
      lines.push_back({text.substr(start), {}});
      break;
    }
    const std::size_t endLength =
        (text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1;
    lines.push_back({text.substr(start, brk - start), text.substr(brk, endLength)});
    start = brk + endLength;
  }
  return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

bool isQuoted(std::string_view s) {
  return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

// Where a section sits among the lines: its header and the first line after its body.
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = iniSectionName(lines[i].content);
    if (!name || !equalsIgnoreCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !iniSectionName(lines[end].content)) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, SectionSpan span, std::string_view key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const auto kv = keyLine(lines[i].content);
    if (kv && equalsIgnoreCase(kv->key, key)) return i;
  }
  return std::nullopt;
}

std::string_view stripBom(std::string_view text) {
  if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
  return text;
}

std::string_view fileLineEnd(const std::vector<Line>& lines, std::string_view fallback) {
  for (const Line& line : lines) {
    if (!line.end.empty()) return line.end;
  }
  return fallback;
}

std::string formatValue(std::string_view value) {
  const bool needsQuotes =
      !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || isQuoted(value));
  if (!needsQuotes) return std::string(value);
  std::string quoted;
  quoted.reserve(value.size() + 2);
  quoted.append(1, '"').append(value).append(1, '"');
  return quoted;
}

}  // namespace

std::optional<std::string_view> iniSectionName(std::string_view line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

std::optional<IniKeyValue> iniKeyValue(std::string_view line) {
  const auto kv = keyLine(line);
  if (!kv) return std::nullopt;
  const std::string_view value = isQuoted(kv->value) ? kv->value.substr(1, kv->value.size() - 2) : kv->value;
  return IniKeyValue{kv->key, value};
}

std::optional<std::string> iniLookup(std::string_view text, std::string_view section, std::string_view key) {
  const std::vector<Line> lines = splitLines(stripBom(text));
  const auto span = findSection(lines, section);
  if (!span) return std::nullopt;
  const auto index = findKey(lines, *span, key);
  if (!index) return std::nullopt;
  return std::string(iniKeyValue(lines[*index].content)->value);
}

bool iniNameIsWritable(std::string_view name) {
  if (name.empty() || trim(name) != name || name.front() == '[') return false;
  return name.find_first_of(std::string_view("=]\r\n\0", 5)) == std::string_view::npos;
}

bool iniValueIsWritable(std::string_view value) {
  return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string iniAssign(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value, std::string_view newFileLineEnd) {
  const std::string_view bom = text.starts_with(kBom) ? kBom : std::string_view();
  const std::vector<Line> lines = splitLines(text.substr(bom.size()));
  const std::string_view eol = fileLineEnd(lines, newFileLineEnd);
  const std::string assignment = std::string(key) + "=" + formatValue(value);

  std::string out(bom);
  auto append = [&out](std::size_t from, std::size_t to, const std::vector<Line>& all) {
    for (std::size_t i = from; i < to; ++i) {
      out += all[i].content;
      out += all[i].end;
    }
  };

  const auto span = findSection(lines, section);
  if (!span) {
    append(0, lines.size(), lines);
    if (!lines.empty() && lines.back().end.empty()) out += eol;
    out.append(1, '[').append(section).append(1, ']');
    out += eol;
    out += assignment;
    out += eol;
    return out;
  }

  if (const auto index = findKey(lines, *span, key)) {
    append(0, *index, lines);
    out += assignment;
    out += lines[*index].end;
    append(*index + 1, lines.size(), lines);
    return out;
  }

  std::size_t last = span->end - 1;
  while (last > span->header && trim(lines[last].content).empty()) --last;
  append(0, last, lines);
  out += lines[last].content;
  if (lines[last].end.empty()) {
    // The file ended without a line end; it still does after the new line.
    out += eol;
    out += assignment;
  } else {
    out += lines[last].end;
    out += assignment;
    out += eol;
  }
  append(last + 1, lines.size(), lines);
  return out;
}

}  // namespace quorvel
