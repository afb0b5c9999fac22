#include "library/LibFormat.h"

#include <algorithm>
#include <cmath>

#include "icons/Dib.h"
#include "icons/IcoFile.h"
#include "common/LeBytes.h"
#include "text/MarkedField.h"

namespace glimmora {
namespace {

std::string Slice(std::string_view bytes, std::size_t at, std::size_t n) {
  std::string out(n, '\0');
  for (std::size_t i = 0; i < n && at + i < bytes.size(); ++i) out[i] = bytes[at + i];
  return out;
}

std::int32_t I32At(std::string_view bytes, std::size_t at) {
  std::uint8_t b[4] = {0, 0, 0, 0};
  for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i) b[i] = static_cast<std::uint8_t>(bytes[at + i]);
  return le::I32(b);
}

void Put32At(std::string& bytes, std::size_t at, std::uint32_t v) {
  le::Put32(reinterpret_cast<std::uint8_t*>(bytes.data() + at), v);
}

// A field of exactly `n` bytes: cut or zero-filled, for raw fields handed in by callers.
void PutField(std::string& bytes, std::size_t at, const std::string& field, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) bytes[at + i] = i < field.size() ? field[i] : '\0';
}

// The runtime's rounding to a whole number: halves go to the even neighbour.
std::uint32_t HalfEven(double x) { return static_cast<std::uint32_t>(std::nearbyint(x)); }

}  // namespace

std::string EncodeSrcHead(const LibSrcHead& head) {
  std::string out(kSrcHeadSize, '\0');
  PutField(out, 0, head.LibTitle, kLibTitleBytes);
  PutField(out, 100, head.LibName, kLibNameBytes);
  PutField(out, 120, head.LibKey, kLibKeyBytes);
  Put32At(out, 140, static_cast<std::uint32_t>(head.IconCount));
  Put32At(out, 144, static_cast<std::uint32_t>(head.SrcFileLength));
  Put32At(out, 148, static_cast<std::uint32_t>(head.DatFileLength));
  PutField(out, 152, head.Reserved, 104);
  return out;
}

LibSrcHead DecodeSrcHead(std::string_view bytes) {
  LibSrcHead head;
  head.LibTitle = Slice(bytes, 0, kLibTitleBytes);
  head.LibName = Slice(bytes, 100, kLibNameBytes);
  head.LibKey = Slice(bytes, 120, kLibKeyBytes);
  head.IconCount = I32At(bytes, 140);
  head.SrcFileLength = I32At(bytes, 144);
  head.DatFileLength = I32At(bytes, 148);
  head.Reserved = Slice(bytes, 152, 104);
  return head;
}

LibSrcHead NewSrcHead(std::string_view title, std::string_view libName, std::string_view libKey) {
  LibSrcHead head;
  // The title is written once and never read back: blanks fill it like the other text fields.
  head.LibTitle = EncodeMarkedField(title, kLibTitleBytes, "");
  head.LibName = FieldBytes(libName, kLibNameBytes);
  head.LibKey = FieldBytes(libKey, kLibKeyBytes);
  return head;
}

std::int64_t EntryPos(std::int64_t entry) { return (entry - 1) * static_cast<std::int64_t>(kSrcItemSize) + 257; }

std::uint32_t ScrambleKey(std::int64_t pos) {
  return 0x2C47u ^ static_cast<std::uint32_t>((pos % 1024) + 947);
}

std::string EncodeSrcItem(const LibSrcItem& item, std::int64_t pos) {
  std::string out(kSrcItemSize, '\0');
  const std::uint32_t key = ScrambleKey(pos);
  Put32At(out, 0, static_cast<std::uint32_t>(item.DataPos) ^ key);
  Put32At(out, 4, static_cast<std::uint32_t>(item.DataSize) ^ key);
  out[8] = static_cast<char>(item.Width);
  out[9] = static_cast<char>(item.Height);
  out[10] = static_cast<char>(item.BitCount);
  le::PutI16At(out, 11, item.Reserved);
  PutField(out, 13, item.Keyword, kKeywordBytes);
  PutField(out, 50, item.AuthorName, kAuthorNameBytes);
  PutField(out, 70, item.AuthorEmail, kAuthorEmailBytes);
  PutField(out, 90, item.AuthorHomepage, kAuthorHomepageBytes);
  PutField(out, 130, item.Note, kNoteBytes);
  return out;
}

BodyRange DecodeBodyRange(std::string_view bytes, std::int64_t pos) {
  const std::uint32_t key = ScrambleKey(pos);
  if (bytes.size() >= 8) {  // every entry of an index file: appends walk them all
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return {static_cast<std::int32_t>(le::U32(p) ^ key), static_cast<std::int32_t>(le::U32(p + 4) ^ key)};
  }
  return {static_cast<std::int32_t>(static_cast<std::uint32_t>(I32At(bytes, 0)) ^ key),
          static_cast<std::int32_t>(static_cast<std::uint32_t>(I32At(bytes, 4)) ^ key)};
}

LibSrcItem DecodeSrcItem(std::string_view bytes, std::int64_t pos) {
  LibSrcItem item;
  const BodyRange range = DecodeBodyRange(bytes, pos);
  item.DataPos = range.DataPos;
  item.DataSize = range.DataSize;
  const auto byteAt = [&](std::size_t i) { return i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : 0; };
  item.Width = byteAt(8);
  item.Height = byteAt(9);
  item.BitCount = byteAt(10);
  item.Reserved = le::I16At(bytes, 11);
  item.Keyword = Slice(bytes, 13, kKeywordBytes);
  item.AuthorName = Slice(bytes, 50, kAuthorNameBytes);
  item.AuthorEmail = Slice(bytes, 70, kAuthorEmailBytes);
  item.AuthorHomepage = Slice(bytes, 90, kAuthorHomepageBytes);
  item.Note = Slice(bytes, 130, kNoteBytes);
  return item;
}

LibSrcItem NewSrcItem(std::uint8_t width, std::uint8_t height, std::uint8_t bitCount, std::int32_t dataPos,
                      std::int32_t dataSize) {
  LibSrcItem item;
  item.DataPos = dataPos;
  item.DataSize = dataSize;
  item.Width = width;
  item.Height = height;
  item.BitCount = bitCount;
  item.Keyword = FieldBytes("", kKeywordBytes);
  item.AuthorName = std::string(kAuthorNameBytes, '\0');
  item.AuthorEmail = std::string(kAuthorEmailBytes, '\0');
  item.AuthorHomepage = std::string(kAuthorHomepageBytes, '\0');
  item.Note = std::string(kNoteBytes, '\0');
  return item;
}

std::string FieldBytes(std::string_view text, std::size_t width) {
  return EncodeMarkedField(text, width, kFieldMark);
}

std::string FieldText(std::string_view field, Language lang) {
  const std::size_t mark = FindAtCharacterStart(field, kFieldMark, lang);
  if (mark != std::string_view::npos) field = field.substr(0, mark);
  const std::size_t nul = field.find('\0');
  if (nul != std::string_view::npos) field = field.substr(0, nul);
  return DecodeStoredText(field, lang);
}

std::string KeptFieldBytes(std::string_view text, std::string_view stored, std::size_t width, Language lang) {
  if (stored.size() == width && FieldText(stored, lang) == text) return std::string(stored);
  return FieldBytes(text, width);
}

std::string HeadFieldText(std::string_view field, Language lang) {
  if (FindAtCharacterStart(field, kFieldMark, lang) == std::string_view::npos) return {};
  return FieldText(field, lang);
}

std::vector<std::uint8_t> MakeIcoHeader(std::uint8_t width, std::uint8_t height, std::uint8_t bitCount,
                                        std::uint32_t imageSize) {
  const auto headBytes = EncodeIcoFileHead(MakeIcoFileHead(width, height, bitCount, imageSize));

  DibHeader dib;
  dib.width = width;
  dib.height = 2 * static_cast<std::int32_t>(height);
  dib.planes = 1;
  dib.bitCount = bitCount;
  dib.compression = 0;
  // Not the image size: the library has always written half the bit count here, and icons taken
  // out before must stay byte for byte the same.
  dib.sizeImage = HalfEven(bitCount / 2.0);
  const auto dibBytes = EncodeDibHeader(dib);

  std::vector<std::uint8_t> out(kLibIcoPrefixSize);
  std::copy(headBytes.begin(), headBytes.end(), out.begin());
  std::copy(dibBytes.begin(), dibBytes.end(), out.begin() + kIcoFileHeadSize);
  return out;
}

std::vector<std::uint8_t> LibraryIcoBytes(const LibSrcItem& item, std::span<const std::uint8_t> body) {
  std::vector<std::uint8_t> out =
      MakeIcoHeader(item.Width, item.Height, item.BitCount, static_cast<std::uint32_t>(item.DataSize) + 40u);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::optional<LibIconBody> IconBodyForLibrary(std::span<const std::uint8_t> icoFile) {
  const auto head = DecodeIcoFileHead(icoFile);
  const auto image = IcoImageBytes(icoFile);
  if (!head || !image || image->size() != head->bytesInRes || image->size() < kDibHeaderSize) return std::nullopt;
  // Only a plain 40-byte header: the body is stored behind the header the library writes itself.
  const auto dib = ParseDibHeader(*image);
  if (!dib || dib->size != kDibHeaderSize) return std::nullopt;
  // A sound image (plain bitmap, known bit count, rows all there) no larger than a library records.
  const auto layout = IconImageLayout(*image);
  if (!layout || layout->width > 255 || layout->height > 255) return std::nullopt;
  LibIconBody out;
  out.Width = static_cast<std::uint8_t>(layout->width);
  out.Height = static_cast<std::uint8_t>(layout->height);
  out.BitCount = static_cast<std::uint8_t>(layout->bitCount);
  // The library gives every icon back with a header that counts no palette colours, that is a
  // full palette for 8 bits or fewer. A shorter palette is padded to full with black entries,
  // which is what the indexes beyond it showed, so the rows behind it stay where they are read.
  const auto paletteEnd = image->begin() + static_cast<std::ptrdiff_t>(layout->colorOffset);
  out.Body.assign(image->begin() + kDibHeaderSize, paletteEnd);
  out.Body.resize(std::max<std::size_t>(out.Body.size(), PaletteBytes(layout->bitCount)), 0);
  out.Body.insert(out.Body.end(), paletteEnd, image->end());
  return out;
}

}  // namespace glimmora
