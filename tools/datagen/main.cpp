// Build-time generator of the data files that ship in the program folder.
//   glimmora_datagen lang <folder of .tsv texts> <program folder>
//   glimmora_datagen iconhead <output file>
//   glimmora_datagen websites <folder of .tsv entries> <output file>
#include <cstdio>
#include <cstring>
#include <string>

#include "DataGen.h"

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "lang") == 0) return glimmora::datagen::MakeLanguageFiles(argv[2], argv[3]);
  if (argc >= 3 && std::strcmp(argv[1], "iconhead") == 0) return glimmora::datagen::MakeIconHead(argv[2]);
  if (argc >= 4 && std::strcmp(argv[1], "websites") == 0) return glimmora::datagen::MakeWebSiteList(argv[2], argv[3]);
  std::fprintf(stderr, "usage: glimmora_datagen lang|iconhead|websites ...\n");
  return 2;
}
