#pragma once
// Windows metafiles played by our own player onto a picture on white.
//
// Every record is checked against the bytes and against what it needs before a field is read,
// object indexes against the object table and pictures inside the file against their own headers.
// The drawing is bounded in pixels, records and drawing work, so no file can make the player ask
// for gigabytes or run for long. A file whose header is wrong or whose picture is too large is
// refused; a file damaged further on is drawn up to the damage, which is what its user would
// rather see than nothing.

#include <QImage>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "icons/PictureRefusal.h"
#include "icons/Raster.h"

namespace glimmora {

// The largest picture drawn, per side and in pixels.
constexpr int kMaxWmfSide = 16384;
constexpr std::int64_t kMaxWmfPixels = 100'000'000;

struct WmfPicture {
  QImage image;          // the drawing at 96 dots per inch on white; null when refused
  PictureRefusal refusal = PictureRefusal::None;  // why the file was refused
  bool partial = false;  // drawn only up to damage or a budget
  std::string stopped;   // what ended a partial drawing
  double work = 0;       // the drawing work counted against the budget (WmfBudget::work)
};

// What one drawing may spend: records played; work counted in pixels of plain fill (a full fill
// of the largest picture counts its 100 million; lines, polygon edges, letters, patterns and
// bitmaps count what Qt's raster engine spends on them beside that), counted before each piece is
// drawn; and time. The drawing stops at the first bound it reaches, or soon after `cancel` (when
// given) becomes true, keeping what was drawn. The defaults keep any file to about a second; no
// real picture comes near them.
struct WmfBudget {
  std::int64_t records = 5'000'000;
  double work = 1e10;
  std::chrono::steady_clock::duration time = std::chrono::seconds(1);
  const std::atomic<bool>* cancel = nullptr;
};

// True when `bytes` start like a metafile: the placeable header's key, or a plain metafile header
// (type 1 or 2, header size 9 words, version 0x100 or 0x300).
bool LooksLikeWmf(std::span<const std::uint8_t> bytes);

// The metafile drawn at its own size: from the placeable header's frame and units per inch, or,
// without one, from the extents its records set, or, when they set none, from the bounds of what
// they draw (one unit a pixel). A frame larger than kUnjustifiedPixels is refused as a damaged
// header unless the records draw over more than that much of it. With `canvas` the drawing is made
// in that raster's pixels (the top byte of each left set) and the image is a view of it, so a
// large picture is held once.
WmfPicture PlayWmf(std::span<const std::uint8_t> bytes, const WmfBudget& budget = {}, Raster* canvas = nullptr);

}  // namespace glimmora
