#pragma once
// A file's icon and type name as the desktop shows them, drawn at 16 and 32 pixels. An icon file
// (.ico) shows its own first image.

#include <QImage>
#include <QString>

namespace glimmora {

inline constexpr int kSmallIconPixels = 16;  // PicSmall
inline constexpr int kLargeIconPixels = 32;  // PicLarge

struct FileTypeIcon {
  QString DisplayName;  // the name the desktop shows for the file
  QString TypeName;     // the description of its type ("PNG image", ...)
  QImage Small;         // 16x16, drawn when the target asked for it, else null
  QImage Large;         // 32x32, likewise
};

// Target 1: the small picture; 2: the large one; 3: both; anything else: names only. The pictures
// are ARGB with a transparent background.
FileTypeIcon DrawFileTypeIcon(const QString& fileName, int target);

}  // namespace glimmora
