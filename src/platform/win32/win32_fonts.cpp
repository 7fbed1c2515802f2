#include "platform/win32/win32_fonts.h"

#include <algorithm>
#include <cmath>

#include "platform/native_files/win32_text.h"
#include "platform/shared/font_policy.h"

namespace quorvel {
namespace {

int CALLBACK noteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool installed(const std::wstring& face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  face.copy(query.lfFaceName, face.size());
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, noteFamily, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// The face of message boxes, the last resort: every system has it.
std::wstring messageFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return metrics.lfMessageFont.lfFaceName;
  }
  return L"MS Shell Dlg";
}

int pixelHeight(double points, int dpi) {
  return -static_cast<int>(std::lround(pointsToDraw(points) * dpi / 72.0));
}

}  // namespace

FontCatalog::~FontCatalog() {
  if (measuringDc_) DeleteDC(measuringDc_);
  for (const auto& [key, font] : fonts_) DeleteObject(font);
}

HDC FontCatalog::measuringDc() {
  if (!measuringDc_) measuringDc_ = CreateCompatibleDC(nullptr);
  return measuringDc_;
}

std::wstring FontCatalog::faceFor(const std::string& name) {
  if (const auto known = faces_.find(name); known != faces_.end()) return known->second;
  std::wstring face = messageFace();
  for (const std::string& candidate : faceCandidates(name)) {
    if (installed(wide(candidate))) {
      face = wide(candidate);
      break;
    }
  }
  faces_.emplace(name, face);
  return face;
}

HFONT FontCatalog::make(const Key& key) {
  if (const auto known = fonts_.find(key); known != fonts_.end()) return known->second;
  const auto& [face, height, weight, italic, underline, strikeout, charset] = key;
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfItalic = italic;
  font.lfUnderline = underline;
  font.lfStrikeOut = strikeout;
  font.lfCharSet = static_cast<BYTE>(charset);
  font.lfQuality = DEFAULT_QUALITY;
  face.copy(font.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
  HFONT made = CreateFontIndirectW(&font);
  if (!made) made = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.emplace(key, made);
  return made;
}

HFONT FontCatalog::control(const FontSpec& spec, int dpi) {
  const int charset = charsetToDraw(spec.charset);
  return make(
      Key{faceFor(spec.name), pixelHeight(spec.points, dpi), FW_NORMAL, false, false, false, charset});
}

HFONT FontCatalog::caption(const CaptionFont& font, int dpi) {
  return make(Key{faceFor(font.name), pixelHeight(font.size, dpi), weightToDraw(font), font.italic,
                  font.underline, font.strikethru, charsetToDraw(font.charset)});
}

}  // namespace quorvel
