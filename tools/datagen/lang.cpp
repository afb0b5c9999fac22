#include <cstdio>
#include <fstream>
#include <string>

#include "DataGen.h"

namespace glimmora::datagen {
// Placeholder until the language file writer lands: heads only, no rows.
int MakeLanguageFiles(const char* textFolder, const char* programFolder) {
  const std::string head(1024, '\0');
  for (const char* name : {"/chglangs.dat", "/chglangl.dat"}) {
    std::ofstream out(std::string(programFolder) + name, std::ios::binary | std::ios::trunc);
    out.write(head.data(), static_cast<std::streamsize>(head.size()));
    if (!out) return 1;
  }
  return 0;
}
}  // namespace glimmora::datagen
