#include "source/PaneLayout.h"

#include <algorithm>

namespace glimmora {

int AcceptTreeWidth(int saved, int pageWidth) { return (saved > 150 && saved < pageWidth - 375) ? saved : 2850; }

int AcceptFileListHeight(int saved, int pageHeight) {
  return (saved > 600 && saved < pageHeight - 1200) ? saved : pageHeight * 2 / 5;
}

SourcePaneSizes AcceptPaneSizes(SourcePaneSizes saved, int pageWidth, int pageHeight) {
  return {AcceptTreeWidth(saved.TreeWidth, pageWidth), AcceptFileListHeight(saved.FileListHeight, pageHeight)};
}

int ClampTreeSplitter(int position, int pageWidth) {
  // On a page too narrow for both limits the lower one wins, so the result never goes negative.
  return std::max(150, std::min(position, pageWidth - 375));
}

int ClampListSplitter(int position, int pageHeight) { return std::max(600, std::min(position, pageHeight - 1200)); }

}  // namespace glimmora
