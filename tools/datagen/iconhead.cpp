#include <cstdio>
#include <fstream>
#include <vector>

#include "DataGen.h"
#include "icons/IconResize.h"
#include "icons/Raster.h"

namespace glimmora::datagen {
// IconHead.dat is a plain single-image icon: the scanner takes its search pattern from offsets
// 22-25, which are the first bytes of the image's BITMAPINFOHEADER (biSize 40).
int MakeIconHead(const char* outputFile) {
  const std::vector<std::uint8_t> ico = MakeIco24(Raster(16, 16, kWhite), {});
  if (ico.size() < 26 || ico[22] != 0x28 || ico[23] != 0 || ico[24] != 0 || ico[25] != 0) {
    std::fprintf(stderr, "iconhead: the icon writer did not put biSize 40 at offset 22\n");
    return 1;
  }
  std::ofstream out(outputFile, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "iconhead: cannot write %s\n", outputFile);
    return 1;
  }
  return 0;
}
}  // namespace glimmora::datagen
