#include "platform/wmf/WmfPlayback.h"

#include <algorithm>
#include <cmath>

#include "platform/wmf/WmfText.h"

namespace glimmora::wmf {

namespace {

constexpr unsigned kUpdateCp = 1;
constexpr unsigned kEtoOpaque = 2;
constexpr unsigned kEtoClipped = 4;
constexpr unsigned kEtoGlyphIndex = 0x10;
constexpr unsigned kEtoPairs = 0x2000;

}  // namespace

void Player::TextOut(const Record& r) {
  const std::size_t length = r.U16(0);
  const std::size_t stringWords = (length + 1) / 2;
  if (r.Words() < 3 + stringWords) return;
  DrawText(QPointF(r.I16(2 + stringWords), r.I16(1 + stringWords)), r.BytesFrom(1).first(length), {}, 0, nullptr);
}

void Player::ExtTextOut(const Record& r) {
  if (r.Words() < 4) return;
  const std::size_t length = r.U16(2);
  const unsigned options = r.U16(3);
  std::size_t word = 4;
  std::optional<QRectF> rect;
  if (options & (kEtoOpaque | kEtoClipped)) {
    if (r.Words() < 8) return;
    rect = QRectF(Map(r.I16(4), r.I16(5)), Map(r.I16(6), r.I16(7))).normalized();
    word = 8;
  }
  const std::size_t stringWords = (length + 1) / 2;
  if (r.Words() < word + stringWords) return;
  std::span<const std::uint8_t> text = r.BytesFrom(word).first(length);
  // Widths per byte, or with the pairs option a width and a height per byte of which the
  // heights are left out.
  std::vector<int> dx;
  const std::size_t step = (options & kEtoPairs) ? 2 : 1;
  if (r.Words() >= word + stringWords + step * length) {
    dx.reserve(length);
    for (std::size_t i = 0; i < length; ++i) dx.push_back(r.I16(word + stringWords + step * i));
  }
  if (options & kEtoGlyphIndex) text = {};  // glyph numbers of a font we do not have: only the box shows
  DrawText(QPointF(r.I16(1), r.I16(0)), text, dx, options, rect ? &*rect : nullptr);
}

// The Qt font for the selected font at the present scale; the last one is kept, as text records
// mostly follow each other in one font.
const QFont& Player::CurrentFont() {
  if (!fontCache_ || fontCache_->font != state_.font || fontCache_->sx != sx_ || fontCache_->sy != sy_) {
    const QFont font = MakeFont();
    fontCache_.emplace(FontCache{state_.font, sx_, sy_, font, QFontMetricsF(font)});
  }
  return fontCache_->qfont;
}

QFont Player::MakeFont() const {
  const Font& f = state_.font;
  QFont font = MatchWmfFont(f.face, f.charset, f.pitchAndFamily);
  const double limit = 2.0 * std::max(width_, height_);
  const double height = f.height == 0 ? 16.0 : std::min(std::abs(f.height * sy_), limit);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(height))));
  if (f.height > 0) {
    // A positive height is the whole cell, leading included: the letters are that much smaller.
    const QFontMetricsF m(font);
    const double cell = m.ascent() + m.descent();
    if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * height / cell))));
  }
  font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStrikeOut(f.strikeOut);
  if (f.width != 0) {
    const double average = QFontMetricsF(font).averageCharWidth();
    const double wanted = std::abs(f.width * sx_);
    if (average > 0) font.setStretch(std::clamp(static_cast<int>(std::lround(100 * wanted / average)), 1, 4000));
  }
  return font;
}

void Player::DrawText(QPointF at, std::span<const std::uint8_t> bytes, const std::vector<int>& dx, unsigned options,
                      const QRectF* rect) {
  State& s = state_;
  const std::vector<WmfChar> chars = DecodeWmfText(bytes, s.font.charset, s.font.face);
  const QFont font = CurrentFont();
  const QFontMetricsF& metrics = fontCache_->metrics;
  // Advances: the file's own widths per byte when it gives them, else the font's for the whole
  // text. Justified text is laid out letter by letter too: its extra width, in whole pixels, is
  // shared by its spaces, the pixels left over going one each to the first of them.
  const bool justified = s.breakCount > 0 && s.breakExtra != 0;
  const bool byLetter = !dx.empty() || justified;
  const long extra = justified ? std::lround(std::clamp(s.breakExtra * std::abs(sx_), -1e6, 1e6)) : 0;
  const long share = justified ? extra / s.breakCount : 0;
  long rest = extra - share * s.breakCount;
  std::vector<double> advance;
  QString whole;
  std::size_t byte = 0;
  double total = 0;
  for (const WmfChar& c : chars) {
    whole += c.text;
    if (!byLetter) continue;
    double a = 0;
    if (dx.empty()) {
      a = metrics.horizontalAdvance(c.text);
    } else {
      for (int i = 0; i < c.bytes && byte < dx.size(); ++i) a += dx[byte++];
      a = std::abs(a * sx_);
    }
    if (justified && c.text == QLatin1String(" ")) {
      const long one = rest > 0 ? 1 : rest < 0 ? -1 : 0;
      a += static_cast<double>(share + one);
      rest -= one;
    }
    advance.push_back(a);
    total += a;
  }
  if (!byLetter) total = metrics.horizontalAdvance(whole);

  const bool updateCp = (s.align & kUpdateCp) != 0;
  const QPointF ref = Map(updateCp ? s.pos : at);
  double start = 0;
  if ((s.align & 6) == 6) start = -total / 2;
  else if (s.align & 2) start = -total;
  double baseline = metrics.ascent();
  if ((s.align & 24) == 24) baseline = 0;
  else if (s.align & 8) baseline = -metrics.descent();
  if (updateCp && sx_ != 0) s.pos.rx() += total / std::abs(sx_);

  const QRectF box(ref.x() + start, ref.y() + baseline - metrics.ascent(), total, metrics.height());
  if (!Charge(rect ? *rect : box, 1, kTextCost)) return;
  // Letters cost by their size; a record of many large ones is drawn a run of letters at a time.
  const double size = font.pixelSize();
  const double glyphCost =
      kGlyphCost + kGlyphRowCost * size + kGlyphAreaCost * std::min(size * size, static_cast<double>(width_) * height_);
  const std::size_t run = std::max<std::size_t>(1, static_cast<std::size_t>(kPieceCost / glyphCost));
  const auto affordRun = [&](std::size_t from) {
    return budget_.Afford(glyphCost * static_cast<double>(std::min(run, chars.size() - from)));
  };
  painter_.save();
  if (rect && (options & kEtoClipped)) painter_.setClipRect(*rect, Qt::IntersectClip);
  if (rect && (options & kEtoOpaque)) painter_.fillRect(*rect, s.background);
  painter_.translate(ref);
  painter_.rotate(-s.font.escapement / 10.0);
  if (s.opaque && !(rect && (options & kEtoOpaque)))
    painter_.fillRect(QRectF(start, baseline - metrics.ascent(), total, metrics.ascent() + metrics.descent()),
                      s.background);
  painter_.setFont(font);
  painter_.setPen(s.text);
  if (!byLetter && chars.size() <= run) {
    if (affordRun(0)) painter_.drawText(QPointF(start, baseline), whole);
  } else if (!byLetter) {
    double x = start;
    for (std::size_t i = 0; i < chars.size() && affordRun(i); i += run) {
      QString part;
      for (std::size_t k = i; k < std::min(i + run, chars.size()); ++k) part += chars[k].text;
      painter_.drawText(QPointF(x, baseline), part);
      x += metrics.horizontalAdvance(part);
    }
  } else {
    double x = start;
    for (std::size_t i = 0; i < chars.size(); ++i) {
      if (i % run == 0 && !affordRun(i)) break;
      painter_.drawText(QPointF(x, baseline), chars[i].text);
      x += advance[i];
    }
  }
  painter_.restore();
}

}  // namespace glimmora::wmf
