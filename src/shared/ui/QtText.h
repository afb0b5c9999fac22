#pragma once
// Our texts are UTF-8 in std::string; the widgets take QString. One conversion for every widget
// file, so that no file grows its own.

#include <QString>
#include <string_view>

namespace glimmora {

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace glimmora
