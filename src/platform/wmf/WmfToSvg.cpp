// libwmf lives in this file alone: its headers must never meet a Qt header.
#include "platform/wmf/WmfToSvg.h"

#include <sys/stat.h>

#include <array>
#include <cstring>
#include <vector>

extern "C" {
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

namespace glimmora {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kMetaHeaderSize = 18;

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(Le16(b, at)) | (static_cast<std::uint32_t>(Le16(b, at + 2)) << 16);
}

bool IsPlaceable(std::span<const std::uint8_t> b) { return b.size() >= 4 && Le32(b, 0) == kPlaceableKey; }

bool IsMetaHeader(std::span<const std::uint8_t> b, std::size_t at) {
  if (b.size() < at + kMetaHeaderSize) return false;
  const std::uint16_t type = Le16(b, at);
  const std::uint16_t headerWords = Le16(b, at + 2);
  const std::uint16_t version = Le16(b, at + 4);
  return (type == 1 || type == 2) && headerWords == 9 && (version == 0x100 || version == 0x300);
}

// The records must chain from the header to an end record without leaving the bytes: libwmf
// trusts the record sizes, and a chain that runs out is a damaged file.
bool RecordsAreSound(std::span<const std::uint8_t> b, std::size_t at) {
  std::size_t pos = at + kMetaHeaderSize;
  while (pos + 6 <= b.size()) {
    const std::uint32_t words = Le32(b, pos);
    const std::uint16_t function = Le16(b, pos + 4);
    if (words < 3 || words > (b.size() - pos) / 2) return false;
    if (function == 0) return true;
    pos += static_cast<std::size_t>(words) * 2;
  }
  return false;
}

// libwmf refuses to draw anything, text or not, unless it can load a font. The fonts it looks
// for by default are often not installed; the DejaVu fonts are, so the standard names point there.
struct FontChoice {
  const char* name;
  const char* file;
};
constexpr std::array<FontChoice, 14> kStandardFonts{{
    {"Times-Roman", "DejaVuSerif.ttf"},
    {"Times-Italic", "DejaVuSerif-Italic.ttf"},
    {"Times-Bold", "DejaVuSerif-Bold.ttf"},
    {"Times-BoldItalic", "DejaVuSerif-BoldItalic.ttf"},
    {"Helvetica", "DejaVuSans.ttf"},
    {"Helvetica-Oblique", "DejaVuSans-Oblique.ttf"},
    {"Helvetica-Bold", "DejaVuSans-Bold.ttf"},
    {"Helvetica-BoldOblique", "DejaVuSans-BoldOblique.ttf"},
    {"Courier", "DejaVuSansMono.ttf"},
    {"Courier-Oblique", "DejaVuSansMono-Oblique.ttf"},
    {"Courier-Bold", "DejaVuSansMono-Bold.ttf"},
    {"Courier-BoldOblique", "DejaVuSansMono-BoldOblique.ttf"},
    {"Symbol", "DejaVuSans.ttf"},
    {"ZapfDingbats", "DejaVuSans.ttf"},
}};
constexpr std::array<const char*, 2> kFontFolders{"/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/dejavu/"};

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The font table handed to libwmf: kept for the whole run, since libwmf keeps pointers into it.
class FontTable {
 public:
  FontTable() {
    for (const FontChoice& f : kStandardFonts) {
      for (const char* folder : kFontFolders) {
        std::string path = std::string(folder) + f.file;
        if (!IsFile(path)) continue;
        names_.emplace_back(f.name);
        files_.push_back(std::move(path));
        break;
      }
    }
    for (std::size_t i = 0; i < names_.size(); ++i) {
      wmfMapping m{};
      m.name = names_[i].data();
      m.mapping = files_[i].data();
      m.encoding = FT_ENCODING_NONE;
      mappings_.push_back(m);
    }
    if (!mappings_.empty()) mappings_.push_back(wmfMapping{});
  }
  wmfMapping* Mappings() { return mappings_.empty() ? nullptr : mappings_.data(); }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> files_;
  std::vector<wmfMapping> mappings_;
};

FontTable& Fonts() {
  static FontTable table;
  return table;
}

// One libwmf session, destroyed (with everything libwmf allocated) on every way out.
class WmfSession {
 public:
  WmfSession() {
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    options.function = wmf_svg_function;
    if (wmfMapping* fonts = Fonts().Mappings()) {
      flags |= WMF_OPT_FONTMAP;
      options.font.ps = fonts;
    }
    if (wmf_api_create(&api_, flags, &options) != wmf_E_None) {
      if (api_ != nullptr) wmf_api_destroy(api_);
      api_ = nullptr;
    }
  }
  ~WmfSession() {
    if (api_ != nullptr) wmf_api_destroy(api_);
  }
  WmfSession(const WmfSession&) = delete;
  WmfSession& operator=(const WmfSession&) = delete;

  wmfAPI* Api() const { return api_; }

 private:
  wmfAPI* api_ = nullptr;
};

}  // namespace

bool LooksLikeWmf(std::span<const std::uint8_t> bytes) { return IsPlaceable(bytes) || IsMetaHeader(bytes, 0); }

std::optional<WmfDrawing> WmfToSvg(std::span<const std::uint8_t> bytes) {
  const std::size_t headerAt = IsPlaceable(bytes) ? kPlaceableSize : 0;
  if (!IsMetaHeader(bytes, headerAt) || !RecordsAreSound(bytes, headerAt)) return std::nullopt;
  if (bytes.size() > static_cast<std::size_t>(0x7FFFFFFF)) return std::nullopt;

  WmfSession session;
  wmfAPI* api = session.Api();
  if (api == nullptr) return std::nullopt;
  // libwmf only reads through this pointer.
  std::vector<unsigned char> copy(bytes.begin(), bytes.end());
  if (wmf_mem_open(api, copy.data(), static_cast<long>(copy.size())) != wmf_E_None) return std::nullopt;

  wmfD_Rect bbox{};
  if (wmf_scan(api, 0, &bbox) != wmf_E_None) return std::nullopt;
  unsigned int width = 0;
  unsigned int height = 0;
  if (wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None) return std::nullopt;
  if (width < 1 || height < 1 || width > kMaxWmfSide || height > kMaxWmfSide ||
      static_cast<std::int64_t>(width) * height > kMaxWmfPixels)
    return std::nullopt;

  wmf_svg_t* svg = WMF_SVG_GetData(api);
  svg->out = wmf_stream_create(api, nullptr);
  if (svg->out == nullptr) return std::nullopt;
  static char kDescription[] = "metafile";
  svg->Description = kDescription;
  svg->bbox = bbox;
  svg->width = width;
  svg->height = height;
  svg->flags |= WMF_SVG_INLINE_IMAGES;  // pictures inside the metafile stay in the SVG text

  const wmf_error_t played = wmf_play(api, 0, &bbox);
  char* text = nullptr;
  unsigned long length = 0;
  wmf_stream_destroy(api, svg->out, &text, &length);
  svg->out = nullptr;
  if (played != wmf_E_None || text == nullptr || length == 0) return std::nullopt;

  WmfDrawing drawing;
  drawing.svg.assign(text, length);
  drawing.width = static_cast<int>(width);
  drawing.height = static_cast<int>(height);
  return drawing;
}

}  // namespace glimmora
