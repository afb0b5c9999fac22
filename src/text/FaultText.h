#pragma once
// The sentence a user reads for a Failure, in the language shown: a row naming the step, its slots
// filled with the file and the system's reason, which is itself a row. No part of it comes from
// the system's own (English-only) error texts.

#include <string>

#include "common/Result.h"
#include "text/LanguageTable.h"

namespace glimmora {

// The system's reason for errno `sysErrno` in the current language; EINVAL reads as "not a regular
// file" (the only way the file steps give it), and a number without a row of its own is named.
std::string ReasonText(const LanguageTable& lang, int sysErrno);

// The same in English, for what is said before any language could be read.
std::string EnglishReasonText(int sysErrno);

// The whole sentence for `failure` in the current language.
std::string FaultText(const LanguageTable& lang, const Failure& failure);

// `text` with "%1", "%2" and "%3" replaced by `first`, `second` and `third`, in one pass: what is put
// in is never searched again, so a file name holding "%2" stays as it is.
std::string FillSlots(const std::string& text, const std::string& first, const std::string& second = {},
                      const std::string& third = {});

}  // namespace glimmora
