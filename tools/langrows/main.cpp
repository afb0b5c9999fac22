// Build-time generator of the header that names the language rows:
//   glimmora_langrows <folder of .tsv texts> <header file>
#include <cstdio>

#include "../datagen/DataGen.h"

int main(int argc, char** argv) {
  if (argc == 3) return glimmora::datagen::MakeLangRowsHeaderFile(argv[1], argv[2]);
  std::fprintf(stderr, "usage: glimmora_langrows <folder of .tsv texts> <header file>\n");
  return 2;
}
