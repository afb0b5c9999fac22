#pragma once
// Library files spelled out byte by byte for the tests, icons to put into them, and file steps
// that fail or stop at a chosen call.

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "library/LibraryWriter.h"

namespace glimmora::libtest {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

inline std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteAll(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteAll(const fs::path& p, const Bytes& bytes) {
  WriteAll(p, std::string(bytes.begin(), bytes.end()));
}

inline std::string Le32(std::uint32_t v) {
  return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}

inline std::string Padded(const std::string& text, std::size_t n, char fill = ' ') {
  std::string s = text.substr(0, n);
  s.resize(n, fill);
  return s;
}

// The header of a library, as the layout has it.
inline std::string HandHead(const std::string& name, const std::string& key, std::uint32_t count,
                            std::uint32_t srcLen = 0, std::uint32_t datLen = 0) {
  std::string h = std::string(100, '\0');
  h += Padded(name + "\\\\", 20);
  h += Padded(key + "\\\\", 20);
  h += Le32(count) + Le32(srcLen) + Le32(datLen);
  h += std::string(104, '\0');
  return h;
}

// One entry at file position `p`: position and size XORed with 0x2C47 ^ ((p % 1024) + 947).
inline std::string HandEntry(std::uint32_t p, std::uint32_t dataPos, std::uint32_t dataSize, std::uint8_t w,
                             std::uint8_t h, std::uint8_t bits, const std::string& keywordField = "\\\\",
                             const std::string& author = std::string(130, '\0')) {
  const std::uint32_t key = 0x2C47u ^ ((p % 1024) + 947);
  std::string e = Le32(dataPos ^ key) + Le32(dataSize ^ key);
  e += char(w);
  e += char(h);
  e += char(bits);
  e += std::string(2, '\0');
  e += Padded(keywordField, 37);
  e += Padded(author, 130, '\0');
  return e;
}

// A plain icon image of w x h at `bits` (1, 4, 8 or 24): header, palette, colour rows, mask rows,
// all filled from `seed` so that every icon differs.
inline Bytes TestImage(int w, int h, int bits, int seed) {
  auto le32 = [](Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
  };
  Bytes b;
  le32(b, 40);
  le32(b, std::uint32_t(w));
  le32(b, std::uint32_t(2 * h));
  b.push_back(1); b.push_back(0);
  b.push_back(std::uint8_t(bits)); b.push_back(0);
  for (int i = 0; i < 24; ++i) b.push_back(0);
  const int palette = bits <= 8 ? (1 << bits) * 4 : 0;
  const int xorRow = ((w * bits + 31) / 32) * 4;
  const int andRow = ((w + 31) / 32) * 4;
  const int body = palette + xorRow * h + andRow * h;
  for (int i = 0; i < body; ++i) b.push_back(std::uint8_t((seed * 31 + i * 7) & 0xFF));
  return b;
}

// A single-image icon file of the program's own kind: bit count in the colour byte.
inline Bytes TestIco(int w, int h, int bits, int seed) {
  const Bytes image = TestImage(w, h, bits, seed);
  Bytes f = {0, 0, 1, 0, 1, 0, std::uint8_t(w), std::uint8_t(h), std::uint8_t(bits), 0, 0, 0, 0, 0};
  const auto n = static_cast<std::uint32_t>(image.size());
  for (int i = 0; i < 4; ++i) f.push_back(std::uint8_t(n >> (8 * i)));
  for (int i = 0; i < 4; ++i) f.push_back(std::uint8_t(22u >> (8 * i)));
  f.insert(f.end(), image.begin(), image.end());
  return f;
}

// The body the library keeps of an icon: everything after the two headers.
inline std::string BodyOf(const Bytes& ico) { return std::string(ico.begin() + 62, ico.end()); }

// File steps that fail at call `failAt` (counting from 1). With `crash`, that call and every later
// one do nothing at all, as if the program had died there; otherwise only that call fails (a
// failing write first writes half of its bytes).
class FaultyOps : public LibraryFileOps {
 public:
  int failAt = 0;  // 0: never
  bool crash = false;
  int calls = 0;

  int Create(const std::string& path, mode_t mode) override {
    if (Fails()) return errno = EIO, -1;
    return real_.Create(path, mode);
  }
  int OpenAppend(const std::string& path) override {
    if (Fails()) return errno = EIO, -1;
    return real_.OpenAppend(path);
  }
  bool Write(int handle, std::string_view bytes) override {
    if (Fails()) {
      if (!crash) real_.Write(handle, bytes.substr(0, bytes.size() / 2));
      errno = ENOSPC;
      return false;
    }
    return real_.Write(handle, bytes);
  }
  bool SetMode(int handle, mode_t mode) override { return Fails() ? false : real_.SetMode(handle, mode); }
  bool SetLength(int handle, off_t length) override { return Fails() ? false : real_.SetLength(handle, length); }
  bool Flush(int handle) override { return Fails() ? false : real_.Flush(handle); }
  bool Close(int handle) override {
    // A handle is always given back to the system, even by a "crashed" run: the test process
    // goes on living.
    const bool fail = Fails();
    real_.Close(handle);
    return !fail;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return Fails() ? false : real_.Rename(from, to);
  }
  void Remove(const std::string& path) override {
    if (!Fails()) real_.Remove(path);
  }

 private:
  bool Fails() {
    ++calls;
    if (failAt <= 0) return false;
    return crash ? calls >= failAt : calls == failAt;
  }
  PosixLibraryFileOps real_;
};

}  // namespace glimmora::libtest
