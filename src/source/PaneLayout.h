#pragma once
// The source page's two stored pane sizes, in twips (15 to a pixel), and the rules that accept
// them: a stored value outside its open range is replaced by the default.

namespace glimmora {

inline constexpr int kTwipsPerPixel = 15;

struct SourcePaneSizes {
  int TreeWidth = 0;       // twips
  int FileListHeight = 0;  // twips
};

// `pageWidth` and `pageHeight` are the page's size in twips.
int AcceptTreeWidth(int saved, int pageWidth);        // 150 < saved < W - 375, else 2850
int AcceptFileListHeight(int saved, int pageHeight);  // 600 < saved < H - 1200, else H * 2 / 5
SourcePaneSizes AcceptPaneSizes(SourcePaneSizes saved, int pageWidth, int pageHeight);

// Where a splitter may be dropped (twips from the page's edge): the tree splitter within
// [150, W - 375], the list splitter within [600, H - 1200].
int ClampTreeSplitter(int position, int pageWidth);
int ClampListSplitter(int position, int pageHeight);

}  // namespace glimmora
