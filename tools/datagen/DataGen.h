#pragma once
// Each generator returns 0 on success and prints its reason to stderr otherwise.
namespace glimmora::datagen {
int MakeLanguageFiles(const char* textFolder, const char* programFolder);
int MakeIconHead(const char* outputFile);
int MakeWebSiteList(const char* entryFolder, const char* outputFile);
}  // namespace glimmora::datagen
