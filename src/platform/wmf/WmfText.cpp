#include "platform/wmf/WmfText.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <string_view>

#include "common/TextCodec.h"

namespace glimmora {

namespace {

// What the "Symbol" font shows for the bytes 0x20 to 0xFF: Greek letters, operators, arrows and
// the pieces of large brackets. Unused positions show a blank.
constexpr std::array<char16_t, 224> kSymbolFont = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212,
    0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B,
    0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399,
    0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5,
    0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0x0020,
    // 0x80 to 0x9F
    0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020,
    0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020, 0x0020,
    0x0020, 0x0020, 0x0020, 0x0020,
    // 0xA0 on
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191,
    0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283,
    0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x27E8, 0x00AE, 0x00A9, 0x2122, 0x2211,
    0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0x0020, 0x27E9, 0x222B, 0x2320,
    0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0x0020};

struct CodePage {
  std::uint8_t charset;
  const char* name;
  bool doubleByte;
};

// The Windows character sets and the code pages their text is written in.
constexpr std::array<CodePage, 18> kCodePages{{
    {0, "CP1252", false},   {1, "CP1252", false},   {2, "CP1252", false},   {77, "MACINTOSH", false},
    {128, "CP932", true},   {129, "CP949", true},   {130, "JOHAB", true},   {134, "GBK", true},
    {136, "BIG5", true},    {161, "CP1253", false}, {162, "CP1254", false}, {163, "CP1258", false},
    {177, "CP1255", false}, {178, "CP1256", false}, {186, "CP1257", false}, {204, "CP1251", false},
    {222, "CP874", false},  {238, "CP1250", false},
}};

const CodePage& CodePageOf(std::uint8_t charset) {
  for (const CodePage& c : kCodePages)
    if (c.charset == charset) return c;
  return kCodePages[0];
}

bool IsLeadByte(std::uint8_t charset, std::uint8_t b) {
  if (charset == 128) return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  return b >= 0x81 && b <= 0xFE;
}

QString Decode(std::span<const std::uint8_t> bytes, const char* codePage) {
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return QString::fromStdString(LegacyToUtf8(view, codePage));
}

// Installed families that stand for the common Windows fonts, best first.
QStringList StandIns(const QString& face) {
  static const QStringList sans{"Liberation Sans", "DejaVu Sans"};
  static const QStringList serif{"Liberation Serif", "DejaVu Serif"};
  static const QStringList mono{"Liberation Mono", "DejaVu Sans Mono"};
  static const QStringList chinese{"WenQuanYi Micro Hei", "Noto Sans CJK SC", "AR PL UMing CN"};
  static const std::pair<QStringList, const QStringList*> groups[] = {
      {{"Arial", "Helvetica", "Tahoma", "Verdana", "MS Sans Serif", "Microsoft Sans Serif", "Segoe UI", "Calibri",
        "Arial Narrow", "Symbol"},
       &sans},
      {{"Times New Roman", "Times", "MS Serif", "Cambria", "Georgia", "Book Antiqua"}, &serif},
      {{"Courier New", "Courier", "Consolas", "Lucida Console"}, &mono},
      {{"SimSun", "NSimSun", "SimHei", "KaiTi", "KaiTi_GB2312", "FangSong", "FangSong_GB2312", "Microsoft YaHei",
        "MingLiU", "PMingLiU", "DFKai-SB", "Microsoft JhengHei", QString::fromUtf8("宋体"), QString::fromUtf8("新宋体"),
        QString::fromUtf8("黑体"), QString::fromUtf8("楷体"), QString::fromUtf8("楷体_GB2312"),
        QString::fromUtf8("仿宋"), QString::fromUtf8("仿宋_GB2312"), QString::fromUtf8("微软雅黑"),
        QString::fromUtf8("細明體"), QString::fromUtf8("新細明體"), QString::fromUtf8("標楷體")},
       &chinese},
  };
  for (const auto& [names, installed] : groups)
    if (names.contains(face, Qt::CaseInsensitive)) return *installed;
  return {};
}

}  // namespace

std::vector<WmfChar> DecodeWmfText(std::span<const std::uint8_t> bytes, std::uint8_t charset, const QString& face) {
  std::vector<WmfChar> out;
  out.reserve(bytes.size());
  if (face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0) {
    for (std::uint8_t b : bytes) out.push_back({QString(QChar(b < 0x20 ? char16_t{b} : kSymbolFont[b - 0x20])), 1});
    return out;
  }
  if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; })) {
    for (std::uint8_t b : bytes) out.push_back({QString(QChar(b)), 1});  // the same in every code page
    return out;
  }
  const CodePage& page = CodePageOf(charset);
  if (!page.doubleByte) {
    // One character a byte: the whole text at once, split by character when it came back so.
    const QString all = Decode(bytes, page.name);
    if (static_cast<std::size_t>(all.size()) == bytes.size()) {
      for (QChar c : all) out.push_back({QString(c), 1});
      return out;
    }
  }
  for (std::size_t i = 0; i < bytes.size();) {
    const int n = page.doubleByte && i + 1 < bytes.size() && IsLeadByte(charset, bytes[i]) ? 2 : 1;
    out.push_back({Decode(bytes.subspan(i, static_cast<std::size_t>(n)), page.name), n});
    i += static_cast<std::size_t>(n);
  }
  return out;
}

QString DecodeFaceName(std::span<const std::uint8_t> bytes, std::uint8_t charset) {
  std::size_t n = 0;
  while (n < bytes.size() && bytes[n] != 0) ++n;
  return Decode(bytes.first(n), CodePageOf(charset).name).trimmed();
}

QFont MatchWmfFont(const QString& face, std::uint8_t pitchAndFamily) {
  // The stand-ins go with this font alone: Qt's shared substitution table is left as it is, since
  // pictures may load on another thread while the window draws.
  QFont font;
  QStringList families;
  if (!face.isEmpty()) families << face;
  families << StandIns(face);
  if (!families.isEmpty()) font.setFamilies(families);
  switch (pitchAndFamily & 0xF0) {
    case 0x10: font.setStyleHint(QFont::Serif); break;
    case 0x20: font.setStyleHint(QFont::SansSerif); break;
    case 0x30: font.setStyleHint(QFont::TypeWriter); break;
    case 0x40: font.setStyleHint(QFont::Cursive); break;
    case 0x50: font.setStyleHint(QFont::Decorative); break;
    default: break;
  }
  return font;
}

}  // namespace glimmora
