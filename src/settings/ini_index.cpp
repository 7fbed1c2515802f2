#include "settings/ini_index.h"

#include <algorithm>
#include <cstring>

#include "settings/ini_profile.h"

namespace quorvel {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// What one kept name costs beyond its bytes (map node, string headers), roughly.
constexpr std::size_t kEntryCost = 64;

std::string lowerAscii(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::vector<std::string> lowerAll(const std::vector<std::string_view>& names) {
  std::vector<std::string> lower;
  for (const std::string_view name : names) lower.push_back(lowerAscii(name));
  return lower;
}

}  // namespace

std::string_view iniValueCut(std::string_view value, std::size_t limit) {
  value = value.substr(0, value.find('\0'));
  return value.substr(0, limit);
}

IniIndex::IniIndex(std::size_t valueLimit, std::size_t budget,
                   const std::vector<std::string_view>& onlySections,
                   const std::vector<std::string_view>& onlyKeys)
    : onlySections_(lowerAll(onlySections)),
      onlyKeys_(lowerAll(onlyKeys)),
      valueLimit_(valueLimit),
      budget_(budget) {}

bool IniIndex::kept(const std::vector<std::string>& only, const std::string& lowerName) {
  return only.empty() || std::find(only.begin(), only.end(), lowerName) != only.end();
}

void IniIndex::add(std::string_view piece) {
  // CR, LF and CRLF all end a line; splitting CRLF in two only adds an empty line, which means nothing.
  while (!full_) {
    const void* lf = std::memchr(piece.data(), '\n', piece.size());
    const std::size_t lineEnd =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - piece.data()) : piece.size();
    const void* cr = std::memchr(piece.data(), '\r', lineEnd);
    const std::size_t brk = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - piece.data())
                               : (lf ? lineEnd : piece.npos);
    if (brk == std::string_view::npos) {
      partial_ += piece;
      return;
    }
    if (partial_.empty()) {
      line(piece.substr(0, brk));
    } else {
      partial_ += piece.substr(0, brk);
      line(partial_);
      partial_.clear();
    }
    piece.remove_prefix(brk + 1);
  }
}

void IniIndex::finish() {
  line(partial_);
  partial_.clear();
  closeSection();
}

bool IniIndex::charge(std::size_t bytes) {
  if (full_ || used_ + bytes > budget_) {
    full_ = true;
    current_ = nullptr;
    return false;
  }
  used_ += bytes;
  return true;
}

void IniIndex::closeSection() {
  if (current_ && !full_) current_->complete = true;
  current_ = nullptr;
}

void IniIndex::line(std::string_view text) {
  if (firstLine_ && text.starts_with(kBom)) text.remove_prefix(kBom.size());
  firstLine_ = false;
  if (full_) return;
  if (const auto name = iniSectionName(text)) {
    closeSection();
    std::string lower = lowerAscii(*name);
    // Only the first section of a name is ever read.
    if (sections_.contains(lower) || !kept(onlySections_, lower)) return;
    if (!charge(lower.size() + kEntryCost)) return;
    current_ = &sections_[std::move(lower)];
    return;
  }
  if (!current_) return;
  const auto kv = iniKeyValue(text);
  if (!kv) return;
  std::string key = lowerAscii(kv->key);
  if (current_->values.contains(key) || !kept(onlyKeys_, key)) return;  // the first one wins
  const std::string_view value = iniValueCut(kv->value, valueLimit_);
  if (!charge(key.size() + value.size() + kEntryCost)) return;
  current_->values.emplace(std::move(key), value);
}

IniIndex::Answer IniIndex::find(std::string_view section, std::string_view key, std::string& value) const {
  const std::string lower = lowerAscii(section);
  const auto s = sections_.find(lower);
  if (s == sections_.end()) return full_ || !kept(onlySections_, lower) ? Answer::unknown : Answer::absent;
  const std::string lowerKey = lowerAscii(key);
  const auto k = s->second.values.find(lowerKey);
  if (k == s->second.values.end()) {
    return s->second.complete && kept(onlyKeys_, lowerKey) ? Answer::absent : Answer::unknown;
  }
  value = k->second;
  return Answer::value;
}

}  // namespace quorvel
