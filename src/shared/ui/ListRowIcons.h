#pragma once
// The picture of a row of an icon list: the source page's icon pane, the clipboard pane and the
// library pane.

#include <QIcon>
#include <QImage>
#include <string>

namespace glimmora {

// `image` centred in square pixmaps of the sizes the icon lists' views draw (16 and 32 pixels),
// scaled down to fit and never below one pixel a side: an icon of 200 x 8 shows as a thin strip
// instead of a pixmap of no height, which cannot be painted. A null image gives a null icon.
QIcon ListRowIcon(const QImage& image);

// ListRowIcon of the icon file at `path` (read up to 4 MB); a null icon when it holds no picture.
QIcon ListRowIconOfFile(const std::string& path);

}  // namespace glimmora
