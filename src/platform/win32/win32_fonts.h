// Fonts for controls and captions: the first installed face of those the shared font policy names for a
// requested one, at a size in points for a window's dots per inch.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/control_surface.h"

namespace quorvel {

class FontCatalog {
 public:
  FontCatalog() = default;
  ~FontCatalog();
  FontCatalog(const FontCatalog&) = delete;
  FontCatalog& operator=(const FontCatalog&) = delete;

  // The catalog keeps the fonts until it goes.
  HFONT control(const FontSpec& spec, int dpi);
  HFONT caption(const CaptionFont& font, int dpi);
  // A memory DC for measuring text, made once and kept while the catalog lives; null while the system
  // cannot make one.
  HDC measuringDc();

 private:
  using Key = std::tuple<std::wstring, int, int, bool, bool, bool, int>;
  // The face to ask for: the first installed candidate, else the system's message face.
  std::wstring faceFor(const std::string& name);
  HFONT make(const Key& key);

  std::map<std::string, std::wstring> faces_;
  std::map<Key, HFONT> fonts_;
  HDC measuringDc_ = nullptr;  // goes before the fonts, so none of them is selected into it then
};

}  // namespace quorvel
