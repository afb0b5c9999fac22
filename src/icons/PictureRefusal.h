#pragma once
// Why a picture could not be loaded. Every loader (the file reader, the bitmap decoder, the
// metafile player, the clipboard) says it with one of these, and each one is told to the user by
// its own language row, so the message names the real fault instead of a vague "damaged".

#include "text/LangRows.h"

namespace glimmora {

enum class PictureRefusal {
  None,
  // The file itself.
  CannotOpen,      // missing, no permission, or a read error
  NotRegularFile,  // a folder, pipe or device: never opened for reading
  Empty,           // a file of 0 bytes
  FileTooLarge,    // more bytes than the largest picture allowed could take
  UnknownKind,     // no reader knows the bytes
  // Any kind of picture.
  Damaged,         // a photo or animation whose data is broken or cut short
  TooLarge,        // more pixels than a picture may have
  NoMemory,        // the picture fits the limits but not into memory
  // Bitmaps.
  BmpHeaderDamaged,  // the headers are cut short or give impossible values
  BmpNotRead,        // a colour depth or compression this program does not decode
  BmpPixelsShort,    // the pixel data is shorter than the header says
  // Metafiles.
  WmfHeaderDamaged,  // the header is cut short, gives no units per inch or an empty frame
  WmfNoSize,         // neither a placeable header nor any record sets the picture's size
  WmfTooLarge,       // the drawing would pass the player's size limits
  WmfNothingDrawn,   // damage or a budget stopped the drawing before anything was drawn
};

struct PictureRefusalText {
  PictureRefusal refusal;
  int row;           // the language row that tells it to the user
  const char* name;  // for benchmarks and test output, never shown
};

inline constexpr PictureRefusalText kPictureRefusalTexts[] = {
    {PictureRefusal::None, 0, "None"},
    {PictureRefusal::CannotOpen, kRowPictureCannotOpen, "CannotOpen"},
    {PictureRefusal::NotRegularFile, kRowPictureNotRegularFile, "NotRegularFile"},
    {PictureRefusal::Empty, kRowPictureFileEmpty, "Empty"},
    {PictureRefusal::FileTooLarge, kRowPictureFileTooLarge, "FileTooLarge"},
    {PictureRefusal::UnknownKind, kRowPictureKindUnknown, "UnknownKind"},
    {PictureRefusal::Damaged, kRowPictureDamaged, "Damaged"},
    {PictureRefusal::TooLarge, kRowPictureOverLimit, "TooLarge"},
    {PictureRefusal::NoMemory, kRowPictureNoMemory, "NoMemory"},
    {PictureRefusal::BmpHeaderDamaged, kRowBmpHeaderDamaged, "BmpHeaderDamaged"},
    {PictureRefusal::BmpNotRead, kRowBmpNotRead, "BmpNotRead"},
    {PictureRefusal::BmpPixelsShort, kRowBmpPixelsShort, "BmpPixelsShort"},
    {PictureRefusal::WmfHeaderDamaged, kRowWmfHeaderDamaged, "WmfHeaderDamaged"},
    {PictureRefusal::WmfNoSize, kRowWmfNoSize, "WmfNoSize"},
    {PictureRefusal::WmfTooLarge, kRowWmfTooLarge, "WmfTooLarge"},
    {PictureRefusal::WmfNothingDrawn, kRowWmfNothingDrawn, "WmfNothingDrawn"},
};

constexpr const PictureRefusalText& PictureRefusalTextOf(PictureRefusal refusal) {
  for (const PictureRefusalText& t : kPictureRefusalTexts) {
    if (t.refusal == refusal) return t;
  }
  return kPictureRefusalTexts[0];
}

// The language row that tells `refusal` to the user; 0 for None.
constexpr int PictureRefusalRow(PictureRefusal refusal) { return PictureRefusalTextOf(refusal).row; }
// The enumerator's name, for benchmarks and test output.
constexpr const char* PictureRefusalName(PictureRefusal refusal) { return PictureRefusalTextOf(refusal).name; }

}  // namespace glimmora
