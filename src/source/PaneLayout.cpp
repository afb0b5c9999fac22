#include "source/PaneLayout.h"

namespace glimmora {

int AcceptTreeWidth(int saved, int pageWidth) { return (saved > 150 && saved < pageWidth - 375) ? saved : 2850; }

int AcceptFileListHeight(int saved, int pageHeight) {
  return (saved > 600 && saved < pageHeight - 1200) ? saved : pageHeight * 2 / 5;
}

SourcePaneSizes AcceptPaneSizes(SourcePaneSizes saved, int pageWidth, int pageHeight) {
  return {AcceptTreeWidth(saved.TreeWidth, pageWidth), AcceptFileListHeight(saved.FileListHeight, pageHeight)};
}

}  // namespace glimmora
