// Writes a 32-bit PE file whose resource section holds N RT_ICON resources, a stand-in for a
// large system library full of icons for the save benchmark (and for any resource extractor to
// compare with). The icons cycle through 16, 32 and 48 pixels at 4, 8 and 32 bits per pixel,
// each with its own pixels.
//
//   make_icon_pe N OUT_FILE

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

std::size_t RowBytes(int width, int bits) { return static_cast<std::size_t>((width * bits + 31) / 32 * 4); }

Bytes IconImage(int index) {
  static const int kSizes[] = {16, 32, 48};
  static const int kBits[] = {4, 8, 32};
  const int side = kSizes[index % 3];
  const int bits = kBits[(index / 3) % 3];
  const std::size_t palette = bits <= 8 ? (std::size_t{1} << bits) * 4 : 0;
  const std::size_t colour = RowBytes(side, bits) * side;
  const std::size_t mask = RowBytes(side, 1) * side;
  Bytes image(40 + palette + colour + mask, 0);
  Put32(image, 0, 40);
  Put32(image, 4, static_cast<std::uint32_t>(side));
  Put32(image, 8, static_cast<std::uint32_t>(side * 2));
  Put16(image, 12, 1);
  Put16(image, 14, static_cast<std::uint32_t>(bits));
  Put32(image, 20, static_cast<std::uint32_t>(colour + mask));
  // Pixels that never repeat the header's first bytes: every byte has its top bit set.
  std::uint32_t seed = 2654435761u * static_cast<std::uint32_t>(index + 1);
  for (std::size_t i = 40; i < 40 + palette + colour; ++i) {
    seed = seed * 1103515245u + 12345u;
    image[i] = static_cast<std::uint8_t>(0x80 | (seed >> 24));
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) <= 0) {
    std::fprintf(stderr, "usage: make_icon_pe N OUT_FILE\n");
    return 2;
  }
  const int count = std::atoi(argv[1]);
  constexpr std::uint32_t kFileAlign = 0x200, kSectionAlign = 0x1000, kRsrcRva = 0x1000;
  const auto align = [](std::size_t v, std::size_t a) { return (v + a - 1) / a * a; };

  // The resource tree: root -> type 3 -> one name per icon -> one language -> data entry.
  const std::size_t typeDir = 16 + 8;
  const std::size_t nameDirs = typeDir + 16 + 8 * static_cast<std::size_t>(count);
  const std::size_t dataEntries = nameDirs + (16 + 8) * static_cast<std::size_t>(count);
  std::size_t dataAt = dataEntries + 16 * static_cast<std::size_t>(count);
  Bytes rsrc(dataAt, 0);
  Put16(rsrc, 14, 1);
  Put32(rsrc, 16, 3);
  Put32(rsrc, 20, 0x80000000u | static_cast<std::uint32_t>(typeDir));
  Put16(rsrc, typeDir + 14, static_cast<std::uint32_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::size_t nameDir = nameDirs + (16 + 8) * static_cast<std::size_t>(i);
    const std::size_t entry = dataEntries + 16 * static_cast<std::size_t>(i);
    Put32(rsrc, typeDir + 16 + 8 * static_cast<std::size_t>(i), static_cast<std::uint32_t>(i + 1));
    Put32(rsrc, typeDir + 20 + 8 * static_cast<std::size_t>(i), 0x80000000u | static_cast<std::uint32_t>(nameDir));
    Put16(rsrc, nameDir + 14, 1);
    Put32(rsrc, nameDir + 16, 1033);
    Put32(rsrc, nameDir + 20, static_cast<std::uint32_t>(entry));
    const Bytes image = IconImage(i);
    dataAt = align(rsrc.size(), 8);
    rsrc.resize(dataAt);
    rsrc.insert(rsrc.end(), image.begin(), image.end());
    Put32(rsrc, entry, kRsrcRva + static_cast<std::uint32_t>(dataAt));
    Put32(rsrc, entry + 4, static_cast<std::uint32_t>(image.size()));
  }
  const std::size_t rsrcSize = rsrc.size();
  rsrc.resize(align(rsrcSize, kFileAlign));

  Bytes head(kFileAlign, 0);
  head[0] = 'M';
  head[1] = 'Z';
  Put32(head, 0x3C, 0x40);
  head[0x40] = 'P';
  head[0x41] = 'E';
  const std::size_t coff = 0x44;
  Put16(head, coff, 0x14C);       // i386
  Put16(head, coff + 2, 1);       // one section
  Put16(head, coff + 16, 0xE0);   // optional header size
  Put16(head, coff + 18, 0x2102); // executable, 32-bit, DLL
  const std::size_t opt = coff + 20;
  Put16(head, opt, 0x10B);  // PE32
  Put32(head, opt + 8, static_cast<std::uint32_t>(rsrc.size()));  // initialised data
  Put32(head, opt + 28, 0x10000000);                              // image base
  Put32(head, opt + 32, kSectionAlign);
  Put32(head, opt + 36, kFileAlign);
  Put16(head, opt + 40, 4);  // OS version
  Put16(head, opt + 48, 4);  // subsystem version
  Put32(head, opt + 56, static_cast<std::uint32_t>(kRsrcRva + align(rsrcSize, kSectionAlign)));  // image size
  Put32(head, opt + 60, kFileAlign);  // headers
  Put16(head, opt + 68, 2);           // GUI subsystem
  Put32(head, opt + 72, 0x100000);
  Put32(head, opt + 76, 0x1000);
  Put32(head, opt + 80, 0x100000);
  Put32(head, opt + 84, 0x1000);
  Put32(head, opt + 92, 16);  // data directories
  Put32(head, opt + 96 + 2 * 8, kRsrcRva);
  Put32(head, opt + 96 + 2 * 8 + 4, static_cast<std::uint32_t>(rsrcSize));
  const std::size_t section = opt + 0xE0;
  const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  for (int i = 0; i < 8; ++i) head[section + i] = static_cast<std::uint8_t>(name[i]);
  Put32(head, section + 8, static_cast<std::uint32_t>(rsrcSize));
  Put32(head, section + 12, kRsrcRva);
  Put32(head, section + 16, static_cast<std::uint32_t>(rsrc.size()));
  Put32(head, section + 20, kFileAlign);
  Put32(head, section + 36, 0x40000040);  // initialised data, readable

  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  const bool ok = std::fwrite(head.data(), 1, head.size(), out) == head.size() &&
                  std::fwrite(rsrc.data(), 1, rsrc.size(), out) == rsrc.size();
  if (std::fclose(out) != 0 || !ok) {
    std::perror(argv[2]);
    return 1;
  }
  std::printf("%s: %d icons, %zu bytes\n", argv[2], count, head.size() + rsrc.size());
  return 0;
}
