#pragma once
// The source page's two stored pane sizes, in twips (15 to a pixel), and the rules that accept
// them: a stored value outside its open range is replaced by the default.

#include "settings/PaneTwips.h"

namespace glimmora {

struct SourcePaneSizes {
  int TreeWidth = 0;       // twips
  int FileListHeight = 0;  // twips
};

// `pageWidth` and `pageHeight` are the page's size in twips.
int AcceptTreeWidth(int saved, int pageWidth);        // 150 < saved < W - 375, else 2850
int AcceptFileListHeight(int saved, int pageHeight);  // 600 < saved < H - 1200, else H * 2 / 5
SourcePaneSizes AcceptPaneSizes(SourcePaneSizes saved, int pageWidth, int pageHeight);

// Where a splitter may be dropped follows from the panes' minimum sizes: the tree at least 150
// twips wide, the lists at least 375; the file list at least 600 twips high, the icon pane at
// least 1200.
inline constexpr int kTreeMinTwips = 150;
inline constexpr int kListsMinTwips = 375;
inline constexpr int kFileListMinTwips = 600;
inline constexpr int kIconPaneMinTwips = 1200;

}  // namespace glimmora
