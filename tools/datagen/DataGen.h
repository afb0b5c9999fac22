#pragma once
// Each generator returns 0 on success and prints its reason to stderr otherwise.
namespace glimmora::datagen {
int MakeLanguageFiles(const char* textFolder, const char* programFolder);
// Needs only the language-text code, not glimmora_core, whose sources include the header it makes.
int MakeLangRowsHeaderFile(const char* textFolder, const char* headerFile);
int MakeIconHead(const char* outputFile);
int MakeWebSiteList(const char* entryFolder, const char* outputFile);
}  // namespace glimmora::datagen
