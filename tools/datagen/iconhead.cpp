#include <fstream>
#include <string>

#include "DataGen.h"

namespace glimmora::datagen {
// Placeholder: the 22-byte head of a single-image icon followed by the start of its bitmap header.
int MakeIconHead(const char* outputFile) {
  static const unsigned char kBytes[] = {0, 0, 1, 0, 1, 0, 16, 16, 16, 0, 1, 0, 4, 0, 0x28, 1, 0, 0, 22, 0, 0, 0,
                                         0x28, 0, 0, 0};
  std::ofstream out(outputFile, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
  return out ? 0 : 1;
}
}  // namespace glimmora::datagen
