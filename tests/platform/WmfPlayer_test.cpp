// The metafile player: each family of records drawn from bytes assembled here and checked at a
// few pixels, text decoding per character set, and damaged files that must end quickly with a
// refusal or a drawing up to the damage.
#include "platform/wmf/WmfPlayer.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "platform/wmf/WmfText.h"
#include "support/IconTestBytes.h"
#include "support/PictureTestFiles.h"

namespace glimmora {
namespace {

using Words = std::vector<std::uint16_t>;
using testing::Bytes;

struct Rec {
  std::uint16_t function;
  Words words;
  Bytes tail = {};  // bytes after the words (a bitmap, a text), padded to a whole word
};

constexpr std::uint32_t kRed = 0x0000FF;  // colour references are 0x00BBGGRR
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr QRgb kRedPx = 0xFFFF0000, kGreenPx = 0xFF00FF00, kBluePx = 0xFF0000FF, kWhitePx = 0xFFFFFFFF,
               kBlackPx = 0xFF000000;

Words Cat(std::initializer_list<Words> parts) {
  Words out;
  for (const Words& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}
Words W32(std::uint32_t v) { return {static_cast<std::uint16_t>(v), static_cast<std::uint16_t>(v >> 16)}; }
std::uint16_t S(int v) { return static_cast<std::uint16_t>(static_cast<std::int16_t>(v)); }

Rec NullPen() { return {0x02FA, {5, 0, 0, 0, 0}}; }
Rec PenRec(int width, std::uint32_t colour) { return {0x02FA, Cat({{0, S(width), 0}, W32(colour)})}; }
Rec SolidBrush(std::uint32_t colour) { return {0x02FC, Cat({{0}, W32(colour), {0}})}; }
Rec Select(int index) { return {0x012D, {S(index)}}; }
Rec Box(std::uint16_t function, int l, int t, int r, int b) { return {function, {S(b), S(r), S(t), S(l)}}; }
Rec Rect(int l, int t, int r, int b) { return Box(0x041B, l, t, r, b); }
Rec Points(std::uint16_t function, std::initializer_list<int> xy) {
  Words w{static_cast<std::uint16_t>(xy.size() / 2)};
  for (int v : xy) w.push_back(S(v));
  return {function, w};
}

// A region of scans: each a band from top to bottom with its spans from left to right.
struct Scan {
  int top, bottom;
  std::vector<std::pair<int, int>> spans;
};
Rec Region(const std::vector<Scan>& scans) {
  Words w{0, 6, 0, 0, 0, static_cast<std::uint16_t>(scans.size()), 0, 0, 0, 0, 0};
  for (const Scan& scan : scans) {
    const auto count = static_cast<std::uint16_t>(2 * scan.spans.size());
    w.insert(w.end(), {count, S(scan.top), S(scan.bottom)});
    for (const auto& [left, right] : scan.spans) w.insert(w.end(), {S(left), S(right)});
    w.push_back(count);
  }
  return {0x06FF, w};
}
Rec RectRegion(int l, int t, int r, int b) { return Region({{t, b, {{l, r}}}}); }

Bytes Records(const std::vector<Rec>& recs) {
  Bytes out;
  for (const Rec& r : recs) {
    Bytes tail = r.tail;
    if (tail.size() % 2) tail.push_back(0);
    testing::Append(out, testing::Le32(static_cast<std::uint32_t>(3 + r.words.size() + tail.size() / 2)));
    testing::Append(out, testing::Le16(r.function));
    for (std::uint16_t w : r.words) testing::Append(out, testing::Le16(w));
    testing::Append(out, tail);
  }
  testing::Append(out, {3, 0, 0, 0, 0, 0});
  return out;
}

Bytes MetaHeader(std::size_t recordBytes, std::uint32_t maxRecord = 64) {
  return testing::Cat({{1, 0, 9, 0, 0, 3}, testing::Le32(static_cast<std::uint32_t>(9 + recordBytes / 2)),
                       testing::Le16(16), testing::Le32(maxRecord), {0, 0}});
}

// A placeable metafile whose frame is 0,0 to w,h at `inch` units an inch.
Bytes Placeable(const std::vector<Rec>& recs, int w = 100, int h = 100, int inch = 96, std::uint32_t maxRecord = 64) {
  Bytes head = testing::Cat({testing::Le32(0x9AC6CDD7), {0, 0, 0, 0, 0, 0}, testing::Le16(S(w)), testing::Le16(S(h)),
                             testing::Le16(static_cast<unsigned>(inch)), {0, 0, 0, 0, 0, 0}});
  const Bytes body = Records(recs);
  return testing::Cat({head, MetaHeader(body.size(), maxRecord), body});
}

Bytes Plain(const std::vector<Rec>& recs) {
  const Bytes body = Records(recs);
  return testing::Cat({MetaHeader(body.size()), body});
}

// A 2 x 2 24-bit bitmap: top row red, green; bottom row blue, white.
Bytes Dib2x2() {
  return testing::Cat({testing::InfoHeader(2, 2, 24), {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0}, {0, 0, 0xFF, 0, 0xFF, 0, 0, 0}});
}

// An old 2 x 2 monochrome bitmap, rows from the top: set, clear; clear, set.
Bytes Mono2x2() {
  return testing::Cat({testing::Le16(0), testing::Le16(2), testing::Le16(2), testing::Le16(2), {1, 1}, {0x80, 0, 0x40, 0}});
}

// Where to look and what must be there: every pixel of `area`, or at least one of it.
struct Probe {
  QRect area;
  QRgb colour;
  bool any = false;
};

void ExpectProbes(const QImage& image, const std::vector<Probe>& probes, const std::string& name) {
  for (const Probe& p : probes) {
    int hits = 0;
    for (int y = p.area.top(); y <= p.area.bottom(); ++y)
      for (int x = p.area.left(); x <= p.area.right(); ++x) hits += image.pixel(x, y) == p.colour ? 1 : 0;
    if (p.any) EXPECT_GT(hits, 0) << name << " at " << p.area.x() << "," << p.area.y();
    else EXPECT_EQ(hits, p.area.width() * p.area.height()) << name << " at " << p.area.x() << "," << p.area.y();
  }
}

QRect At(int x, int y) { return QRect(x, y, 1, 1); }

struct DrawCase {
  const char* name;
  std::vector<Rec> records;  // after a null pen (object 0) is selected
  std::vector<Probe> probes;
};

TEST(WmfPlayerTest, EachRecordFamilyDrawsWhereItShould) {
  const Rec redBrush = SolidBrush(kRed);
  const std::vector<DrawCase> cases = {
      {"rectangle", {redBrush, Select(1), Rect(10, 10, 50, 50)}, {{At(30, 30), kRedPx}, {At(60, 60), kWhitePx}}},
      {"ellipse", {redBrush, Select(1), Box(0x0418, 0, 0, 100, 100)}, {{At(50, 50), kRedPx}, {At(3, 3), kWhitePx}}},
      {"round rectangle",
       {redBrush, Select(1), {0x061C, {40, 40, 100, 100, 0, 0}}},
       {{At(50, 50), kRedPx}, {At(1, 1), kWhitePx}, {At(50, 1), kRedPx}}},
      {"polygon", {redBrush, Select(1), Points(0x0324, {0, 0, 99, 0, 0, 99})}, {{At(10, 10), kRedPx}, {At(90, 90), kWhitePx}}},
      // Two squares, the second inside the first: a hole when alternating, filled when winding.
      {"poly-polygon alternate",
       {redBrush, Select(1), {0x0538, {2, 4, 4, 0, 0, 80, 0, 80, 80, 0, 80, 20, 20, 60, 20, 60, 60, 20, 60}}},
       {{At(10, 10), kRedPx}, {At(40, 40), kWhitePx}}},
      {"poly-polygon winding",
       {redBrush, Select(1), {0x0106, {2}}, {0x0538, {2, 4, 4, 0, 0, 80, 0, 80, 80, 0, 80, 20, 20, 60, 20, 60, 60, 20, 60}}},
       {{At(10, 10), kRedPx}, {At(40, 40), kRedPx}}},
      // A filled band a third of a pixel tall (10 units a pixel) still shows along its whole length.
      {"hairline drawn as a thin polygon",
       {{0x020C, {1000, 1000}}, redBrush, Select(1), Points(0x0324, {100, 500, 900, 500, 900, 503, 100, 503})},
       {{QRect(20, 49, 1, 3), kRedPx, true}, {QRect(50, 49, 1, 3), kRedPx, true}, {QRect(80, 49, 1, 3), kRedPx, true}}},
      {"lines", {PenRec(5, kBlue), Select(1), {0x0214, {50, 0}}, {0x0213, {50, 99}}, Points(0x0325, {0, 10, 99, 10})},
       {{At(50, 50), kBluePx}, {At(50, 10), kBluePx}, {At(50, 30), kWhitePx}}},
      // Counter-clockwise from 3 o'clock to 12 o'clock: the top-right quarter.
      {"pie", {redBrush, Select(1), {0x081A, {0, 50, 50, 100, 100, 100, 0, 0}}},
       {{At(70, 30), kRedPx}, {At(30, 70), kWhitePx}, {At(30, 30), kWhitePx}}},
      // With the y axis pointing up the arc still runs counter-clockwise on the picture.
      {"pie with the y axis upward",
       {{0x020B, {100, 0}}, {0x020C, {S(-100), 100}}, redBrush, Select(1), {0x081A, {100, 50, 50, 100, 100, 100, 0, 0}}},
       {{At(70, 30), kRedPx}, {At(30, 70), kWhitePx}, {At(70, 70), kWhitePx}}},
      // An outlined rectangle keeps to its left and top edges and ends one pixel before the others.
      {"outlined rectangle", {PenRec(1, kBlue), Select(1), Rect(10, 10, 20, 20)},
       {{At(10, 10), kBluePx}, {At(19, 15), kBluePx}, {At(20, 15), kWhitePx}, {At(15, 20), kWhitePx}}},
      {"chord", {redBrush, Select(1), {0x0830, {0, 50, 50, 100, 100, 100, 0, 0}}},
       {{At(80, 20), kRedPx}, {At(55, 45), kWhitePx}}},
      {"arc", {PenRec(3, kRed), Select(1), {0x0817, {0, 50, 50, 100, 100, 100, 0, 0}}},
       {{QRect(60, 0, 30, 20), kRedPx, true}, {QRect(0, 60, 40, 40), kWhitePx}}},
      {"set-pixel", {{0x041F, Cat({W32(kGreen), {7, 5}})}}, {{At(5, 7), kGreenPx}, {At(6, 7), kWhitePx}}},
      // The window 1000,1000 to 1010,1010 fills the picture: logical 1000..1005 is its left half.
      {"window origin and extent",
       {{0x020B, {1000, 1000}}, {0x020C, {10, 10}}, redBrush, Select(1), Rect(1000, 1000, 1005, 1010)},
       {{At(20, 50), kRedPx}, {At(80, 50), kWhitePx}}},
      // Isotropic: a 10 x 20 window keeps its shape, so x units are as tall as y units.
      {"isotropic map mode",
       {{0x0103, {7}}, {0x020C, {20, 10}}, redBrush, Select(1), Rect(0, 0, 10, 10)},
       {{At(20, 20), kRedPx}, {At(20, 70), kWhitePx}}},
      {"scale and offset window",
       {{0x020C, {100, 100}}, {0x0410, {2, 1, 2, 1}}, {0x020F, {0, 25}}, redBrush, Select(1), Rect(25, 0, 50, 50)},
       {{At(20, 20), kRedPx}, {At(60, 20), kWhitePx}}},
      // The file's first viewport extent is the whole picture (here 1000 units for 100 pixels); the
      // origin moves to 500,500 of those units and the extent halves, so the window fills the
      // bottom-right quarter.
      {"viewport origin, offset and scale",
       {{0x020E, {1000, 1000}}, {0x020D, {0, 500}}, {0x0211, {500, 0}}, {0x0412, {2, 1, 2, 1}}, redBrush, Select(1),
        Rect(0, 0, 100, 100)},
       {{At(75, 75), kRedPx}, {At(52, 52), kRedPx}, {At(25, 25), kWhitePx}, {At(75, 25), kWhitePx},
        {At(25, 75), kWhitePx}}},
      {"save and restore",
       {redBrush, Select(1), {0x001E, {}}, SolidBrush(kBlue), Select(2), {0x0127, {S(-1)}}, Rect(0, 0, 50, 50)},
       {{At(20, 20), kRedPx}}},
      {"intersect and exclude clip",
       {redBrush, Select(1), {0x0416, {100, 50, 0, 0}}, {0x0415, {30, 30, 10, 10}}, Rect(0, 0, 100, 100)},
       {{At(40, 40), kRedPx}, {At(20, 20), kWhitePx}, {At(70, 40), kWhitePx}}},
      // Two bands, the upper one with a gap, moved by 5 right and 10 down.
      {"region selected as the clip and moved",
       {Region({{10, 30, {{10, 30}, {60, 80}}}, {30, 50, {{10, 80}}}}), {0x012C, {1}}, {0x0220, {10, 5}}, redBrush,
        Select(2), Rect(0, 0, 100, 100)},
       {{At(20, 25), kRedPx}, {At(70, 30), kRedPx}, {At(50, 50), kRedPx}, {At(50, 25), kWhitePx},
        {At(12, 25), kWhitePx}, {At(50, 15), kWhitePx}, {At(50, 70), kWhitePx}}},
      {"region selected as an object clips",
       {RectRegion(0, 0, 50, 50), Select(1), redBrush, Select(2), Rect(0, 0, 100, 100)},
       {{At(25, 25), kRedPx}, {At(75, 75), kWhitePx}, {At(75, 25), kWhitePx}}},
      // Filled with a brush of its own, framed 3 wide in blue, painted with the green brush selected,
      // inverted.
      {"region fill, frame, paint and inversion",
       {redBrush, SolidBrush(kBlue), SolidBrush(kGreen), RectRegion(10, 10, 40, 40), RectRegion(60, 10, 90, 40),
        RectRegion(10, 60, 40, 90), RectRegion(60, 60, 90, 90), {0x0228, {4, 1}}, {0x0429, {5, 2, 3, 3}}, Select(3),
        {0x012B, {6}}, {0x012A, {7}}},
       {{At(25, 25), kRedPx}, {At(9, 25), kWhitePx}, {At(60, 25), kBluePx}, {At(62, 25), kBluePx},
        {At(75, 12), kBluePx}, {At(89, 39), kBluePx}, {At(63, 25), kWhitePx}, {At(75, 25), kWhitePx},
        {At(25, 75), kGreenPx}, {At(75, 75), kBlackPx}, {At(50, 50), kWhitePx}}},
      // A blue ring with white inside: filled red up to the blue, then its white outside filled green.
      {"flood fills",
       {SolidBrush(kBlue), Select(1), Rect(20, 20, 80, 80), SolidBrush(0xFFFFFF), Select(2), Rect(30, 30, 70, 70),
        redBrush, Select(3), {0x0419, Cat({W32(kBlue), {50, 50}})}, SolidBrush(kGreen), Select(4),
        {0x0548, Cat({{1}, W32(0xFFFFFF), {5, 5}})}},
       {{At(50, 50), kRedPx}, {At(30, 30), kRedPx}, {At(69, 69), kRedPx}, {At(25, 50), kBluePx}, {At(5, 5), kGreenPx},
        {At(95, 95), kGreenPx}, {At(85, 50), kGreenPx}}},
      // Object 1 freed, then the next object takes slot 1 again.
      {"object slots are reused",
       {SolidBrush(kBlue), {0x01F0, {1}}, SolidBrush(kRed), Select(1), Rect(0, 0, 50, 50)},
       {{At(20, 20), kRedPx}}},
      {"bad object indexes are ignored",
       {redBrush, Select(1), Select(999), {0x01F0, {4000}}, Rect(0, 0, 50, 50)},
       {{At(20, 20), kRedPx}}},
      {"palette colours",
       {{0x00F7, Cat({{0x300, 2}, W32(0x00FF0000), W32(0x0000FF00)})}, {0x0234, {1}},
        SolidBrush(0x01000001), Select(2), Rect(0, 0, 50, 50)},
       {{At(20, 20), kGreenPx}}},
      {"hatched brush on an opaque background",
       {{0x0201, W32(kGreen)}, {0x02FC, Cat({{2}, W32(kRed), {0}})}, Select(1), Rect(0, 0, 50, 50)},
       {{QRect(0, 0, 20, 20), kRedPx, true}, {QRect(0, 0, 20, 20), kGreenPx, true}, {At(70, 70), kWhitePx}}},
      {"bitmap pattern brush",
       {{0x0142, {5, 0}, Dib2x2()}, Select(1), Rect(0, 0, 50, 50)},
       {{At(0, 0), kRedPx}, {At(1, 0), kGreenPx}, {At(0, 1), kBluePx}, {At(70, 70), kWhitePx}}},
      // The bitmap style still carries a DIB, and its colours are always explicit, whatever the record says.
      {"pattern brush of the bitmap style",
       {{0x0142, {3, 1}, Dib2x2()}, Select(1), Rect(0, 0, 50, 50)},
       {{At(0, 0), kRedPx}, {At(1, 0), kGreenPx}, {At(0, 1), kBluePx}, {At(70, 70), kWhitePx}}},
      // The 2 x 2 bitmap stretched over 0..40: each of its pixels becomes a 20 x 20 block.
      {"stretch-DIB", {{0x0F43, Cat({W32(0xCC0020), {0, 2, 2, 0, 0, 40, 40, 0, 0}}), Dib2x2()}},
       {{At(10, 10), kRedPx}, {At(30, 10), kGreenPx}, {At(10, 30), kBluePx}, {At(50, 50), kWhitePx}}},
      // A 24-bit bitmap may still carry a table of colours before its rows.
      {"bitmap with a colour table above 8 bits",
       {{0x0F43, Cat({W32(0xCC0020), {0, 2, 2, 0, 0, 40, 40, 0, 0}}),
         testing::Cat({testing::InfoHeader(2, 2, 24, 1), {9, 9, 9, 0}, [] { const Bytes d = Dib2x2(); return Bytes(d.begin() + 40, d.end()); }()})}},
       {{At(10, 10), kRedPx}, {At(30, 30), kWhitePx}}},
      {"run-length bitmap",
       {{0x0F43, Cat({W32(0xCC0020), {0, 2, 2, 0, 0, 40, 40, 0, 0}}),
         testing::Cat({testing::InfoHeader(2, 2, 8, 3, 1, 1), {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0},
                       {2, 2, 0, 0, 1, 0, 1, 1, 0, 1}})}},
       {{At(10, 10), kRedPx}, {At(30, 10), kGreenPx}, {At(10, 30), kBluePx}, {At(30, 30), kBluePx}}},
      {"bitmap with colour masks",
       {{0x0F43, Cat({W32(0xCC0020), {0, 1, 2, 0, 0, 20, 40, 0, 0}}),
         testing::Cat({testing::InfoHeader(2, 1, 16, 0, 1, 3), testing::Le32(0xF800), testing::Le32(0x07E0),
                       testing::Le32(0x001F), {0x00, 0xF8, 0xE0, 0x07}})}},
       {{At(10, 10), kRedPx}, {At(30, 10), kGreenPx}, {At(10, 30), kWhitePx}}},
      {"DIB stretch-blt mirrored", {{0x0B41, Cat({W32(0xCC0020), {2, 2, 0, 0, 40, S(-40), 0, 40}}), Dib2x2()}},
       {{At(10, 10), kGreenPx}, {At(30, 10), kRedPx}}},
      {"DIB bit-blt", {{0x0940, Cat({W32(0xCC0020), {0, 0, 2, 2, 60, 60}}), Dib2x2()}},
       {{At(60, 60), kRedPx}, {At(61, 61), kWhitePx}, {At(60, 61), kBluePx}}},
      // A monochrome bitmap takes the background colour for its set bits and the text colour for the others.
      {"old bit-blt",
       {{0x0209, W32(kRed)}, {0x0201, W32(kGreen)}, {0x0922, Cat({W32(0xCC0020), {0, 0, 2, 2, 60, 60}}), Mono2x2()}},
       {{At(60, 60), kGreenPx}, {At(61, 60), kRedPx}, {At(60, 61), kRedPx}, {At(61, 61), kGreenPx}, {At(62, 62), kWhitePx}}},
      {"old stretch-blt", {{0x0B23, Cat({W32(0xCC0020), {2, 2, 0, 0, 40, 40, 0, 0}}), Mono2x2()}},
       {{At(10, 10), kWhitePx}, {At(30, 10), kBlackPx}, {At(10, 30), kBlackPx}, {At(30, 30), kWhitePx}}},
      // Without a bitmap each blit fills its rectangle with the brush: old and DIB bit-blt, old stretch-blt.
      {"blits without a bitmap",
       {SolidBrush(kBlue), Select(1), {0x0922, Cat({W32(0xF00021), {0, 0, 0, 20, 20, 0, 0}})},
        {0x0940, Cat({W32(0xF00021), {0, 0, 0, 20, 20, 40, 40}})},
        {0x0B23, Cat({W32(0xF00021), {0, 0, 0, 0, 0, 20, 20, 80, 80}})}},
       {{At(10, 10), kBluePx}, {At(50, 50), kBluePx}, {At(90, 90), kBluePx}, {At(30, 30), kWhitePx}, {At(70, 70), kWhitePx}}},
      // AND with a green background: the red pixel goes black, the white one leaves green.
      {"raster operation",
       {SolidBrush(kGreen), Select(1), Rect(0, 0, 100, 100),
        {0x0F43, Cat({W32(0x8800C6), {0, 2, 2, 0, 0, 40, 40, 0, 0}}), Dib2x2()}},
       {{At(10, 10), kBlackPx}, {At(30, 30), kGreenPx}}},
      // A grey mask OR-ed and then a bitmap AND-ed onto the same place: the mask is the bitmap's
      // opacity, so the black of the bitmap's see-through half leaves the green beneath.
      {"transparent bitmap as mask and image",
       {SolidBrush(kGreen), Select(1), Rect(0, 0, 100, 100),
        {0x0F43, Cat({W32(0xEE0086), {0, 1, 2, 0, 0, 40, 40, 0, 0}}),
         testing::Cat({testing::InfoHeader(2, 1, 24), {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0}})},
        {0x0F43, Cat({W32(0x8800C6), {0, 1, 2, 0, 0, 40, 40, 0, 0}}),
         testing::Cat({testing::InfoHeader(2, 1, 24), {0xFF, 0, 0, 0, 0, 0, 0, 0}})}},
       {{At(10, 20), kBluePx}, {At(30, 20), kGreenPx}}},
      // XOR drawing: blue over red gives magenta, blue over white gives yellow.
      {"pen and brush raster mode",
       {redBrush, Select(1), Rect(0, 0, 50, 50), {0x0104, {7}}, SolidBrush(kBlue), Select(2), Rect(25, 25, 75, 75)},
       {{At(10, 10), kRedPx}, {At(30, 30), 0xFFFF00FF}, {At(60, 60), 0xFFFFFF00}}},
      {"pattern blit", {SolidBrush(kBlue), Select(1), {0x061D, Cat({W32(0xF00021), {20, 20, 0, 0}})}},
       {{At(10, 10), kBluePx}, {At(30, 30), kWhitePx}}},
      {"text", {{0x02FB, {S(-40), 0, 0, 0, 700, 0, 0, 0, 0}}, Select(1), {0x0521, {1}, {'H', 0, 10, 0, 10, 0}}},
       {{QRect(10, 10, 40, 40), kBlackPx, true}, {QRect(60, 60, 40, 40), kWhitePx}}},
      // Opaque extended text: its rectangle takes the background colour, right-aligned text ends at x.
      {"extended text",
       {{0x0201, W32(kGreen)}, {0x012E, {2}}, {0x0A32, {10, 90, 1, 2, 0, 0, 100, 40}, {'W', 0}}},
       {{At(5, 25), kGreenPx}, {QRect(60, 10, 30, 30), kBlackPx, true}, {At(50, 80), kWhitePx}}},
      // 60 units of extra width for the line's one space push the second letter to the right half.
      {"justified text",
       {{0x02FB, {S(-20), 0, 0, 0, 400, 0, 0, 0, 0}}, Select(1), {0x020A, {1, 60}},
        {0x0521, {3}, {'l', ' ', 'l', 0, 10, 0, 5, 0}}},
       {{QRect(3, 8, 12, 30), kBlackPx, true}, {QRect(65, 8, 30, 30), kBlackPx, true}, {QRect(20, 8, 40, 30), kWhitePx}}},
      {"unknown records are skipped", {{0x0626, {1, 2, 3}}, {0x7777, {}}, redBrush, Select(1), Rect(0, 0, 50, 50)},
       {{At(20, 20), kRedPx}}},
  };
  for (const DrawCase& c : cases) {
    std::vector<Rec> records = {NullPen(), Select(0)};
    records.insert(records.end(), c.records.begin(), c.records.end());
    const WmfPicture picture = PlayWmf(Placeable(records));
    ASSERT_FALSE(picture.image.isNull()) << c.name << ": " << PictureRefusalName(picture.refusal);
    EXPECT_FALSE(picture.partial) << c.name;
    ExpectProbes(picture.image, c.probes, c.name);
  }
}

TEST(WmfPlayerTest, PictureSizeComesFromTheHeaderOrTheRecords) {
  // 1440 units an inch: a 2880 x 1440 frame is 192 x 96 pixels.
  WmfPicture p = PlayWmf(Placeable({}, 2880, 1440, 1440));
  EXPECT_EQ(p.image.size(), QSize(192, 96));
  EXPECT_EQ(p.image.pixel(5, 5), kWhitePx);
  // Without a placeable header: the window extent, or the viewport extent when one is set.
  p = PlayWmf(Plain({{0x020C, {30, 40}}}));
  EXPECT_EQ(p.image.size(), QSize(40, 30));
  p = PlayWmf(Plain({{0x020C, {300, 400}}, {0x020E, {60, 80}}, NullPen(), Select(0), SolidBrush(kRed), Select(1),
                     Rect(0, 0, 200, 300)}));
  EXPECT_EQ(p.image.size(), QSize(80, 60));
  EXPECT_EQ(p.image.pixel(30, 50), kRedPx);
  EXPECT_EQ(p.image.pixel(50, 50), kWhitePx);
  // Without any: as large as what the records draw, from where the drawing starts.
  p = PlayWmf(Plain({NullPen(), Select(0), SolidBrush(kRed), Select(1), Rect(10, 20, 50, 80), SolidBrush(kBlue),
                     Select(2), Rect(40, 70, 50, 80)}));
  EXPECT_EQ(p.image.size(), QSize(40, 60)) ;
  EXPECT_EQ(p.image.pixel(0, 0), kRedPx);
  EXPECT_EQ(p.image.pixel(29, 49), kRedPx);
  EXPECT_EQ(p.image.pixel(35, 55), kBluePx);
  p = PlayWmf(Plain({{0x02FB, {S(-40), 0, 0, 0, 700, 0, 0, 0, 0}}, Select(0), {0x0521, {1}, {'H', 0, 10, 0, 10, 0}}}));
  EXPECT_GE(p.image.height(), 40);  // letters at their own size
  EXPECT_EQ(PlayWmf(Plain({})).refusal, PictureRefusal::WmfNoSize);
  EXPECT_TRUE(LooksLikeWmf(Plain({})));
  EXPECT_FALSE(LooksLikeWmf(testing::Bmp2x2()));
}

TEST(WmfPlayerTest, TextIsDecodedInTheFontsCharacterSet) {
  struct TextCase {
    Bytes bytes;
    std::uint8_t charset;
    const char* face;
    std::vector<std::pair<const char*, int>> chars;  // each character and its byte count
  };
  const std::vector<TextCase> cases = {
      {{'a', 0xE9, '<', '&'}, 0, "Arial", {{"a", 1}, {"é", 1}, {"<", 1}, {"&", 1}}},
      {{0xD6, 0xD0, 'x', 0xCE, 0xC4}, 134, "SimSun", {{"中", 2}, {"x", 1}, {"文", 2}}},
      {{0xA4, 0xA4, 0xA4, 0xE5}, 136, "MingLiU", {{"中", 2}, {"文", 2}}},
      {{'a', 'p', 0xB3}, 2, "Symbol", {{"α", 1}, {"π", 1}, {"≥", 1}}},
      // A formula's vector arrow, centred ellipsis, dot accent and baseline ellipsis.
      {{'r', 'L', '&', 'K'}, 2, "MT Extra", {{"→", 1}, {"⋯", 1}, {"˙", 1}, {"…", 1}}},
      {{'J', '!', '0', 0xFF}, 2, "Wingdings", {{"☺", 1}, {"🖉", 1}, {"🗀", 1}, {" ", 1}}},
      {{'P', 0x98}, 2, "Wingdings 2", {{"🗸", 1}, {"●", 1}}},
      {{'g', 'p'}, 2, "Wingdings 3", {{"🡒", 1}, {"▲", 1}}},
      {{'!', 0xFC}, 2, "webdings", {{"🕷", 1}, {"🌍", 1}}},
      {{'a', 0xB3}, 2, "Marlett", {{"α", 1}, {"≥", 1}}},  // a symbol face without a table of its own
  };
  for (const TextCase& c : cases) {
    const std::vector<WmfChar> chars = DecodeWmfText(c.bytes, c.charset, QString::fromUtf8(c.face));
    ASSERT_EQ(chars.size(), c.chars.size()) << c.face;
    for (std::size_t i = 0; i < chars.size(); ++i) {
      EXPECT_EQ(chars[i].text, QString::fromUtf8(c.chars[i].first)) << c.face << " " << i;
      EXPECT_EQ(chars[i].bytes, c.chars[i].second) << c.face << " " << i;
    }
    // Symbols are drawn with a font that has them, not as boxes.
    if (c.charset != 2) continue;
    const QRawFont drawn = QRawFont::fromFont(MatchWmfFont(QString::fromUtf8(c.face), c.charset, 0));
    for (const WmfChar& ch : chars)
      EXPECT_TRUE(drawn.supportsCharacter(ch.text.toUcs4().front())) << c.face << " in " << drawn.familyName().toStdString();
  }
  // A face name in the font's own code page, ended by its zero byte.
  EXPECT_EQ(DecodeFaceName(Bytes{0xCB, 0xCE, 0xCC, 0xE5, 0, 'x'}, 134), QString::fromUtf8("宋体"));
}

// The common Windows faces are drawn at the widths their author laid out: a line of 40-pixel text
// is as wide as the published advance widths of Times, Helvetica and Courier (which the Windows
// faces share) add up to; the narrow face is 0.82 of the plain one. A wider stand-in runs titles
// off the picture.
TEST(WmfPlayerTest, StandInFontsKeepTheWidthsOfTheWindowsFonts) {
  const QString line = "The quick brown fox jumps over the lazy dog";
  const std::pair<const char*, double> faces[] = {
      {"Times New Roman", 731.0}, {"Arial", 791.4}, {"Arial Narrow", 649.0}, {"Courier New", 1032.0}};
  for (const auto& [face, width] : faces) {
    QFont font = MatchWmfFont(face, 0, 0);
    font.setPixelSize(40);
    EXPECT_NEAR(QFontMetricsF(font).horizontalAdvance(line), width, width * 0.01)
        << face << " drawn with " << QFontInfo(font).family().toStdString();
  }
}

// Damaged files of every kind: each ends at once, refused or drawn up to the damage.
TEST(WmfPlayerTest, DamagedFilesEndQuicklyRefusedOrDrawnToTheDamage) {
  enum Outcome { Refused, Partial, Whole };
  const std::vector<Rec> redSquare = {NullPen(), Select(0), SolidBrush(kRed), Select(1), Rect(0, 0, 50, 50),
                                      Rect(60, 60, 90, 90)};
  const Bytes good = Placeable(redSquare);
  const std::size_t firstRecord = 22 + 18;
  const std::size_t lastRecord = good.size() - 6 - 14;  // the second rectangle, before the end record
  auto with = [&](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    Bytes b = good;
    std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
    return b;
  };
  Bytes noSizeDib = Dib2x2();
  noSizeDib[0] = 0;  // bitmap header size 40 -> 0
  std::vector<Rec> manyFills;
  for (int i = 0; i < 5000; ++i) manyFills.push_back(Rect(0, 0, 100, 100));
  struct DamageCase {
    const char* name;
    Bytes bytes;
    Outcome outcome;
    WmfBudget budget = {};
    bool costly = false;  // a forged file that runs up to the default work budget unless stopped
  };
  const std::vector<DamageCase> cases = {
      {"first record of size 0", with(firstRecord, {0, 0, 0, 0}), Refused},
      {"first record claiming more than the file", with(firstRecord, {0, 0, 0, 0x80}), Refused},
      {"record of size 0 after drawing", with(lastRecord, {0, 0, 0, 0}), Partial},
      {"short record", with(lastRecord, {2, 0, 0, 0}), Partial},
      {"record past the end", with(lastRecord, {0xFF, 0xFF, 0, 0}), Partial},
      {"cut inside a record", Bytes(good.begin(), good.end() - 10), Partial},
      {"rectangle too short for its fields", Placeable({{0x041B, {1}}, {0x041B, {}}, Rect(0, 0, 50, 50)}), Whole},
      {"bitmap header size 0 in stretch-DIB",
       Placeable({{0x0F43, Cat({W32(0xCC0020), {0, 2, 2, 0, 0, 40, 40, 0, 0}}), noSizeDib}, redSquare[0],
                  redSquare[1], redSquare[2], redSquare[3], redSquare[4]}),
       Whole},
      {"bitmap header size 0 in a pattern brush",
       Placeable({NullPen(), Select(0), {0x0142, {5, 0}, noSizeDib}, Select(1), Rect(0, 0, 50, 50)}), Whole},
      {"region claiming more scans than it holds",
       Placeable({NullPen(), Select(0), {0x06FF, {0, 6, 0, 0, 0, 65535, 0, 0, 0, 0, 0, 60000, 0, 10, 5}},
                  {0x012C, {1}}, SolidBrush(kRed), Select(2), Rect(0, 0, 50, 50)}),
       Whole},
      {"header claiming a 2 GB record", Placeable(redSquare, 100, 100, 96, 0x7FFFFFFF), Whole},
      {"huge placeable frame", Placeable(redSquare, 32767, 32767, 1), Refused},
      {"huge window extent", Plain({{0x020C, {30000, 30000}}}), Refused},
      {"zero units per inch", Placeable(redSquare, 100, 100, 0), Refused},
      {"huge text and pen sizes",
       Placeable({{0x02FB, {S(-32767), 0, 0, 0, 700, 0, 0, 0, 0}}, Select(0), {0x0521, {2}, {'W', 'W', 0, 0, 0, 0}},
                  {0x02FA, Cat({{2, 32767, 0}, W32(0)})}, Select(1), {0x020C, {1, 1}}, Points(0x0325, {0, 0, 30000, 1})}),
       Whole},
      {"endless fills stop at the work budget", Placeable(manyFills), Partial, {100000, 2e6}},
      {"records beyond the record budget", Placeable(manyFills), Partial, {100, 1e12}},
      // Counted at what Qt really spends on them, these pass a small budget (about 10 ms).
      {"a wide pen along random points", testing::RandomPolyWmf(1, 2000, 300, false), Partial, {100000, 1e8}},
      {"a filled polygon crossing itself", testing::RandomPolyWmf(1, 4000, 0, true), Partial, {100000, 1e8}},
      {"many large letters", testing::BigTextWmf(50, 100, 300), Partial, {100000, 1e8}},
      // The clock stops a single long record too.
      {"past the time allowed", testing::RandomPolyWmf(1, 8000, 300, false), Partial,
       {100000, 1e12, std::chrono::milliseconds(200)}},
      // Forged files, each counted before the work is done: a region whose rectangles overlap
      // (n² of them merged), large pattern brushes and old bitmaps, a large clip region moved
      // over and over, a flood fill through a comb of pixels.
      {"a region of 8000 overlapping columns and rows", testing::OverlappingRegionWmf(8000, 10), Partial, {}, true},
      {"large pattern brushes", testing::LargeBitmapsWmf(8, 4096, 4096, false), Partial, {}, true},
      {"large old bitmaps", testing::LargeBitmapsWmf(8, 4096, 100, true), Partial, {}, true},
      {"a large clip region moved", testing::MovedClipWmf(15, 5000), Partial, {}, true},
      {"a clip region of more rectangles than a step may take", testing::MovedClipWmf(100, 5000), Partial, {}, true},
      {"a flood fill through a comb", testing::CombFloodWmf(6000), Partial, {}, true},
      // An extent scaled past what a double holds leaves the mapping as it was, and what is
      // drawn still counts.
      {"an extent scaled to infinity", testing::ScaledPastDoublesWmf(500), Partial, {100000, 2e6}},
      // A region that costs more than the work left ends the drawing, marked as such.
      {"a region past the work left", testing::MovedClipWmf(10, 0), Partial, {100000, 1e8}},
  };
  // The bounds are what the player counts, never the clock: a busy machine changes no outcome.
  constexpr std::chrono::hours kNoClock{1};
  for (const DamageCase& c : cases) {
    WmfBudget budget = c.budget;
    if (budget.time == WmfBudget{}.time) budget.time = kNoClock;
    const WmfPicture p = PlayWmf(c.bytes, budget);
    EXPECT_EQ(p.image.isNull(), c.outcome == Refused) << c.name << ": " << PictureRefusalName(p.refusal);
    EXPECT_EQ(p.refusal == PictureRefusal::None, c.outcome != Refused) << c.name;
    EXPECT_EQ(p.partial, c.outcome == Partial) << c.name << ": " << p.stopped;
    EXPECT_LE(p.work, budget.work) << c.name;
    if (c.outcome == Partial && std::string(c.name).find("after drawing") != std::string::npos) {
      EXPECT_EQ(p.image.pixel(20, 20), kRedPx) << c.name;
    }
    // A load of a costly file is stopped while it draws: it ends there, or at the bound it would
    // have reached anyway, whichever comes first.
    if (!c.costly) continue;
    std::atomic<bool> stop{false};
    WmfBudget stoppable = budget;
    stoppable.cancel = &stop;
    std::thread stopper([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      stop = true;
    });
    const WmfPicture stopped = PlayWmf(c.bytes, stoppable);
    stopper.join();
    EXPECT_TRUE(stopped.stopped == "cancelled" || stopped.refusal == PictureRefusal::WmfNothingDrawn ||
                stopped.stopped == p.stopped)
        << c.name << ": " << stopped.stopped << PictureRefusalName(stopped.refusal);
    EXPECT_LE(stopped.work, p.work) << c.name;
  }
}

// Random changes to hand-made files and to small files written by other programs (an office
// suite's drawing with text and a photo, its see-through shadow, a vector editor's picture): each
// plays or is refused, never crashes or runs away (the sanitizer build runs this too).
TEST(WmfPlayerTest, MutatedFilesPlayOrAreRefused) {
  std::vector<Bytes> samples = {
      testing::Wmf64x48(),
      Placeable({NullPen(), Select(0), {0x0142, {5, 0}, Dib2x2()}, Select(1), Box(0x0418, 0, 0, 90, 90),
                 {0x0F43, Cat({W32(0xCC0020), {0, 2, 2, 0, 0, 40, 40, 0, 0}}), Dib2x2()},
                 {0x02FB, {S(-20), 0, 0, 0, 400, 0, 0x8600, 0, 0}}, Select(2),
                 {0x0A32, {10, 10, 4, 2, 0, 0, 60, 30}, {0xD6, 0xD0, 0xCE, 0xC4}},
                 {0x0538, {2, 3, 3, 0, 0, 50, 0, 0, 50, 60, 60, 90, 60, 60, 90}}, {0x001E, {}},
                 {0x0416, {50, 50, 0, 0}}, {0x081A, {0, 50, 50, 100, 100, 100, 0, 0}}, {0x0127, {S(-1)}},
                 {0x0F43, Cat({W32(0xCC0020), {0, 4, 4, 0, 0, 40, 40, 0, 0}}),
                  testing::Cat({testing::InfoHeader(4, 4, 4, 2, 1, 2), {0, 0, 255, 0, 0, 255, 0, 0},
                                {4, 0x01, 0, 0, 0, 4, 0x10, 0x01, 0, 0, 0, 2, 1, 1, 2, 0x11, 0, 1}})}}),
      Placeable({NullPen(), Select(0), Region({{10, 30, {{10, 30}, {60, 80}}}, {30, 50, {{10, 80}}}}), {0x012C, {1}},
                 {0x0220, {3, 3}}, SolidBrush(kRed), Select(2), {0x0228, {1, 2}}, {0x0429, {1, 2, 2, 2}}, {0x012A, {1}},
                 Select(1), {0x020E, {200, 200}}, {0x020D, {10, 10}}, {0x0412, {2, 1, 2, 1}},
                 {0x0922, Cat({W32(0xCC0020), {0, 0, 2, 2, 60, 60}}), Mono2x2()},
                 {0x0B23, Cat({W32(0xCC0020), {2, 2, 0, 0, 40, 40, 0, 0}}), Mono2x2()},
                 {0x0419, Cat({W32(kRed), {50, 50}})}, {0x0548, Cat({{1}, W32(0xFFFFFF), {5, 5}})}, {0x020A, {1, 10}},
                 {0x0521, {3}, {'l', ' ', 'l', 0, 10, 0, 5, 0}}}),
  };
  for (const char* name : {"office-drawing.wmf", "office-see-through.wmf", "vector-editor.wmf"}) {
    std::ifstream file(std::filesystem::path(GLIMMORA_SOURCE_DIR) / "tests/platform/wmf" / name, std::ios::binary);
    samples.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    ASSERT_FALSE(samples.back().empty()) << name;
    const WmfPicture whole = PlayWmf(samples.back());
    EXPECT_FALSE(whole.image.isNull() || whole.partial) << name << ": " << PictureRefusalName(whole.refusal)
                                                        << whole.stopped;
  }
  std::mt19937 random(20261208);
  int drawn = 0;
  for (const Bytes& sample : samples) {
    const std::size_t step = std::max<std::size_t>(3, sample.size() / 300);
    for (std::size_t cut = 0; cut < sample.size(); cut += step) drawn += !PlayWmf(std::span(sample).first(cut)).image.isNull();
    for (int round = 0; round < 400; ++round) {
      Bytes bytes = sample;
      const int changes = 1 + static_cast<int>(random() % 4);
      for (int c = 0; c < changes; ++c) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
      const WmfPicture p = PlayWmf(bytes, {100000, 5e7});
      if (!p.image.isNull()) {
        ++drawn;
        EXPECT_LE(static_cast<std::int64_t>(p.image.width()) * p.image.height(), kMaxWmfPixels);
      } else {
        EXPECT_NE(p.refusal, PictureRefusal::None);
      }
    }
  }
  EXPECT_GT(drawn, 0);
}

}  // namespace
}  // namespace glimmora
