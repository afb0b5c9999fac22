#include <fstream>
#include <string>

#include "DataGen.h"

namespace glimmora::datagen {
// Placeholder until the web-site store lands: a header with no records.
int MakeWebSiteList(const char* entryFolder, const char* outputFile) {
  const std::string head(100, ' ');
  std::ofstream out(outputFile, std::ios::binary | std::ios::trunc);
  out.write(head.data(), static_cast<std::streamsize>(head.size()));
  return out ? 0 : 1;
}
}  // namespace glimmora::datagen
