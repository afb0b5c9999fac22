#include "websites/WebSiteRecord.h"

#include "common/LeBytes.h"

namespace glimmora {

namespace {
constexpr std::string_view kMarker = "\\\\";

std::string TrimUnmarkedTail(std::string t) {
  while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) t.pop_back();
  return t;
}
}  // namespace

std::string& WebSiteEntry::Field(int i) {
  switch (i) {
    case kWebName: return Name;
    case kWebAuth: return Auth;
    case kWebLang: return Lang;
    case kWebAddress: return Address;
    case kWebNote: return Note;
    default: return Detail;
  }
}

const std::string& WebSiteEntry::Field(int i) const {
  return const_cast<WebSiteEntry*>(this)->Field(i);
}

std::string EncodeWebField(std::string_view text, std::size_t width) {
  std::string out = CutUtf8(text, width);
  // The marker goes in whole or not at all: half of it would be read back as part of the text.
  if (out.size() + kMarker.size() <= width) out += kMarker;
  out.resize(width, ' ');
  return out;
}

void KillGang(std::string& t) {
  const auto at = t.find(kMarker);
  if (at != std::string::npos) t.resize(at);
}

std::string DecodeWebField(std::string_view bytes, Language lang) {
  std::string raw(bytes);
  const bool marked = raw.find(kMarker) != std::string::npos;
  KillGang(raw);
  if (IsValidUtf8(raw)) return marked ? raw : TrimUnmarkedTail(raw);
  // A field written in a double-byte code page may hold 0x5C as the second byte of a character,
  // so the marker is looked for only after decoding.
  std::string text = DecodeStoredText(bytes, lang);
  const bool markedText = text.find(kMarker) != std::string::npos;
  KillGang(text);
  return markedText ? text : TrimUnmarkedTail(text);
}

void CodeWebSiteData(WebRecordBytes& record, int key) {
  const auto m = static_cast<unsigned char>(key & 0xFF);
  for (std::size_t i = kWebScrambleFirst; i <= kWebScrambleLast && i < record.size(); ++i)
    record[i] = static_cast<char>(static_cast<unsigned char>(record[i]) ^ m);
}

int StoredCodeKey(std::string_view record) {
  if (record.size() < kWebCodeKeyOffset + 2) return 0;
  return le::I16At(record, kWebCodeKeyOffset);
}

namespace {

// The record's bytes unscrambled; zeros for a missing record.
WebRecordBytes PlainRecord(std::string_view record) {
  WebRecordBytes plain(record.substr(0, kWebRecordSize));
  plain.resize(kWebRecordSize, '\0');
  CodeWebSiteData(plain, StoredCodeKey(plain));
  return plain;
}

std::string_view FieldOf(std::string_view plain, int field) {
  const auto& spec = kWebFields[static_cast<std::size_t>(field)];
  return plain.substr(spec.offset, spec.width);
}

// The bytes of `field` for `entry`: the stored ones of `was` (plain) when they read as its text.
std::string FieldBytesFor(const WebSiteEntry& entry, int field, std::string_view was, Language lang) {
  if (!was.empty() && DecodeWebField(FieldOf(was, field), lang) == entry.Field(field))
    return std::string(FieldOf(was, field));
  return EncodeWebField(entry.Field(field), kWebFields[static_cast<std::size_t>(field)].width);
}

}  // namespace

WebRecordBytes EncodeWebRecord(const WebSiteEntry& entry, int key, std::string_view was, Language lang) {
  WebRecordBytes record(kWebRecordSize, '\0');
  const WebRecordBytes plainWas = was.empty() ? WebRecordBytes() : PlainRecord(was);
  for (int i = 0; i < kWebFieldCount; ++i) {
    const auto& spec = kWebFields[static_cast<std::size_t>(i)];
    record.replace(spec.offset, spec.width, FieldBytesFor(entry, i, plainWas, lang));
  }
  le::PutI16At(record, kWebCodeKeyOffset, static_cast<std::int16_t>(key));
  CodeWebSiteData(record, key);
  return record;
}

WebSiteEntry DecodeWebRecord(std::string_view record, Language lang) {
  const WebRecordBytes plain = PlainRecord(record);
  WebSiteEntry entry;
  for (int i = 0; i < kWebFieldCount; ++i) entry.Field(i) = DecodeWebField(FieldOf(plain, i), lang);
  return entry;
}

WebSiteEntry StoredWebEntry(const WebSiteEntry& entry, Language lang, std::string_view was) {
  const WebRecordBytes plainWas = was.empty() ? WebRecordBytes() : PlainRecord(was);
  WebSiteEntry out;
  for (int i = 0; i < kWebFieldCount; ++i) out.Field(i) = DecodeWebField(FieldBytesFor(entry, i, plainWas, lang), lang);
  return out;
}

}  // namespace glimmora
