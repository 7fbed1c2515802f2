#include "platform/win32/win32_fonts.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/win32/win32_text.h"

namespace quorvel {
namespace {

// Controls without a font of their own get the size of the system's dialog font.
constexpr double kDefaultPoints = 9;
constexpr BYTE kGb2312Charset = GB2312_CHARSET;

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
  return -static_cast<int>(std::lround((points > 0 ? points : kDefaultPoints) * dpi / 72.0));
}

}  // namespace

FontCatalog::~FontCatalog() {
  for (const auto& [key, font] : fonts_) DeleteObject(font);
}

// Controls without a face of their own get the Song face, the default control font of a Chinese desktop.
// Where a face is missing, a Western system still shows Chinese rather than empty boxes.
std::wstring FontCatalog::faceFor(const std::string& name) {
  if (const auto known = faces_.find(name); known != faces_.end()) return known->second;
  std::vector<std::wstring> candidates;
  candidates.push_back(name.empty() ? std::wstring(L"\u5B8B\u4F53") : wide(name));
  candidates.insert(candidates.end(), {L"SimSun", L"Microsoft YaHei UI"});
  std::wstring face = messageFace();
  for (const std::wstring& candidate : candidates) {
    if (installed(candidate)) {
      face = candidate;
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
  const int charset = spec.charset != 0 ? spec.charset : kGb2312Charset;
  return make(Key{faceFor(spec.name), pixelHeight(spec.points, dpi), FW_NORMAL, false, false, false, charset});
}

HFONT FontCatalog::caption(const CaptionFont& font, int dpi) {
  const int weight = font.bold ? std::max(font.weight, 700) : font.weight;
  const int charset = font.charset != 0 ? font.charset : kGb2312Charset;
  return make(Key{faceFor(font.name), pixelHeight(font.size, dpi), weight, font.italic, font.underline,
                  font.strikethru, charset});
}

}  // namespace quorvel
