#pragma once
// What the program knows about each of its languages, in one table: the code page its old files
// were written in, the help pages to show, and the captions of the message-box buttons (which the
// desktop would otherwise take from the system's locale, leaving "Yes" and "No" under a Chinese
// question whose text refers to them as 是 and 否). The texts themselves are the language files'.

#include <array>
#include <string_view>

#include "common/Prompter.h"
#include "text/LanguageTable.h"
#include "text/TextCodec.h"

namespace glimmora {

struct LanguageFacts {
  Language language;
  const char* codePage;  // the legacy code page of text that is not UTF-8
  // The help contents pages to try in turn (in the help folder); the first that exists is shown.
  std::array<std::string_view, 3> helpPages;
  // Button captions by PromptAnswer: Ok, Cancel, Yes, No, Retry, Abort, Ignore.
  std::array<std::string_view, 7> buttons;
};

// In the order of the Language values (and of the language menu).
inline constexpr std::array<LanguageFacts, kLanguageCount> kLanguageFacts{{
    {Language::English, "CP1252", {"index.html"},
     {"OK", "Cancel", "&Yes", "&No", "&Retry", "&Abort", "&Ignore"}},
    // Readers of the simplified characters get the English page when theirs is missing.
    {Language::ChineseGB, "GBK", {"index.zh.html", "index.html"},
     {"确定", "取消", "是(&Y)", "否(&N)", "重试(&R)", "中止(&A)", "忽略(&I)"}},
    // BIG5 readers get the traditional characters; the simplified page is the next best for them.
    {Language::ChineseBig5, "BIG5", {"index.zh-hant.html", "index.zh.html", "index.html"},
     {"確定", "取消", "是(&Y)", "否(&N)", "重試(&R)", "中止(&A)", "略過(&I)"}},
}};

constexpr const LanguageFacts& FactsOf(Language lang) { return kLanguageFacts[static_cast<std::size_t>(lang)]; }

// The caption of a message-box button in `lang`.
constexpr std::string_view ButtonCaption(PromptAnswer answer, Language lang) {
  return FactsOf(lang).buttons[static_cast<std::size_t>(answer)];
}

}  // namespace glimmora
