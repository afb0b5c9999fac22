#pragma once
// Case rules for the ASCII letters alone. Format names, file extensions and address schemes are
// ASCII words; the desktop's locale (a Turkish dotless i, say) must not change how they compare.

#include <string>
#include <string_view>

namespace glimmora {

std::string AsciiUpper(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

}  // namespace glimmora
