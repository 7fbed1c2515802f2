#include "button/property_store.h"

#include <cmath>
#include <limits>

#include "settings/conversions.h"

namespace quorvel {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Any numeric form as a double; text, fonts and pictures are not numbers.
std::optional<double> asNumber(const PropertyValue& value) {
  return std::visit(
      [](const auto& v) -> std::optional<double> {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>) {
          return v ? -1.0 : 0.0;  // a true flag counts as all bits set
        } else if constexpr (std::is_same_v<T, FixedPoint>) {
          return static_cast<double>(v.scaled) / 10000.0;
        } else if constexpr (std::is_arithmetic_v<T>) {
          return static_cast<double>(v);
        } else {
          return std::nullopt;
        }
      },
      value);
}

bool sameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace

PropertyTypeError::PropertyTypeError(std::string_view key)
    : std::runtime_error("property \"" + std::string(key) + "\" has a value of the wrong type") {}

void PropertyStore::write(std::string_view key, PropertyValue value) {
  for (Entry& e : entries_) {
    if (sameKey(e.first, key)) {
      e.second = std::move(value);
      return;
    }
  }
  entries_.emplace_back(std::string(key), std::move(value));
}

void PropertyStore::erase(std::string_view key) {
  std::erase_if(entries_, [&](const Entry& e) { return sameKey(e.first, key); });
}

const PropertyValue* PropertyStore::find(std::string_view key) const {
  for (const Entry& e : entries_)
    if (sameKey(e.first, key)) return &e.second;
  return nullptr;
}

std::int32_t PropertyStore::readInt32(std::string_view key, std::int32_t missing) const {
  const PropertyValue* v = find(key);
  if (!v) return missing;
  const std::optional<double> n = asNumber(*v);
  if (!n) throw PropertyTypeError(key);
  const double rounded = roundHalfEven(*n);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max()))
    throw PropertyTypeError(key);
  return static_cast<std::int32_t>(rounded);
}

float PropertyStore::readFloat(std::string_view key, float missing) const {
  const PropertyValue* v = find(key);
  if (!v) return missing;
  const std::optional<double> n = asNumber(*v);
  if (!n) throw PropertyTypeError(key);
  return static_cast<float>(*n);
}

bool PropertyStore::readBool(std::string_view key, bool missing) const {
  const PropertyValue* v = find(key);
  if (!v) return missing;
  const std::optional<double> n = asNumber(*v);
  if (!n) throw PropertyTypeError(key);
  return *n != 0;
}

Color PropertyStore::readColor(std::string_view key, Color missing) const {
  const PropertyValue* v = find(key);
  if (!v) return missing;
  if (const Color* c = std::get_if<Color>(v)) return *c;
  // A signed integer holds the colour's bits: -2147483630 is the system colour 0x80000012.
  if (const std::int32_t* i = std::get_if<std::int32_t>(v)) return static_cast<Color>(*i);
  if (const std::int16_t* s = std::get_if<std::int16_t>(v))
    return static_cast<Color>(static_cast<std::int32_t>(*s));
  throw PropertyTypeError(key);
}

std::string PropertyStore::readText(std::string_view key) const {
  const PropertyValue* v = find(key);
  if (!v) return {};
  if (const std::string* s = std::get_if<std::string>(v)) return *s;
  throw PropertyTypeError(key);
}

std::optional<CaptionFont> PropertyStore::readFont(std::string_view key) const {
  const PropertyValue* v = find(key);
  if (!v) return std::nullopt;
  if (const CaptionFont* f = std::get_if<CaptionFont>(v)) return *f;
  throw PropertyTypeError(key);
}

Picture PropertyStore::readPicture(std::string_view key) const {
  const PropertyValue* v = find(key);
  if (!v) return nullptr;
  if (const Picture* p = std::get_if<Picture>(v)) return *p;
  throw PropertyTypeError(key);
}

}  // namespace quorvel
