#include "settings/SaveParams.h"

#include "common/LeBytes.h"
#include "text/MarkedField.h"
#include "common/Paths.h"

namespace glimmora {

SaveDirRec* SaveParams::ForList(std::string_view curListView) {
  if (curListView == "ListViewLIco" || curListView == "ListViewIcoClipboard") return &SaveLibDir;
  if (curListView == "ListViewFile") return &SaveFileDir;
  if (curListView == "ListViewPict") return &SaveIcoDir;
  return nullptr;
}

const SaveDirRec* SaveParams::ForList(std::string_view curListView) const {
  return const_cast<SaveParams*>(this)->ForList(curListView);
}

void SaveParams::SetLang(std::uint8_t lang) {
  SaveLibDir.Lang = lang;
  SaveFileDir.Lang = lang;
  SaveIcoDir.Lang = lang;
}

std::string EncodeSaveDirRec(const SaveDirRec& rec) {
  std::string out(kSaveDirRecBytes, '\0');
  le::PutI16At(out, kOffUseNow, rec.UseNow);
  out[kOffSaveAs] = static_cast<char>(rec.SaveAs);
  out[kOffSaveSel] = static_cast<char>(rec.SaveSel);
  out[kOffTagDir] = static_cast<char>(rec.TagDir);
  out.replace(kOffOtherDir, kOtherDirBytes, EncodeMarkedField(rec.OtherDir, kOtherDirBytes, kSaveDirMark));
  out[kOffIcoSize] = static_cast<char>(rec.IcoSize);
  out[kOffMaskColorAns] = static_cast<char>(rec.MaskColorAns);
  out[kOffTrPictAns] = static_cast<char>(rec.TrPictAns);
  out[kOffNostanAns] = static_cast<char>(rec.NostanAns);
  out.replace(kOffIconEditTool, kIconEditToolBytes,
              EncodeMarkedField(rec.IconEditTool, kIconEditToolBytes, kSaveDirMark));
  out[kOffLang] = static_cast<char>(rec.Lang);
  return out;
}

SaveDirRec DecodeSaveDirRec(std::string_view bytes, Language lang) {
  std::string full(bytes.substr(0, kSaveDirRecBytes));
  full.resize(kSaveDirRecBytes, '\0');
  auto byte = [&](std::size_t off) { return static_cast<std::uint8_t>(full[off]); };
  SaveDirRec rec;
  rec.UseNow = le::I16At(full, kOffUseNow);
  rec.SaveAs = byte(kOffSaveAs);
  rec.SaveSel = byte(kOffSaveSel);
  rec.TagDir = byte(kOffTagDir);
  rec.OtherDir =
      DecodeMarkedField(std::string_view(full).substr(kOffOtherDir, kOtherDirBytes), kSaveDirMark, lang).Text;
  rec.IcoSize = byte(kOffIcoSize);
  rec.MaskColorAns = byte(kOffMaskColorAns);
  rec.TrPictAns = byte(kOffTrPictAns);
  rec.NostanAns = byte(kOffNostanAns);
  rec.IconEditTool =
      DecodeMarkedField(std::string_view(full).substr(kOffIconEditTool, kIconEditToolBytes), kSaveDirMark, lang)
          .Text;
  rec.Lang = byte(kOffLang);
  return rec;
}

std::string UsableOtherDir(const SaveDirRec& rec) {
  return IsAbsolutePath(rec.OtherDir) ? rec.OtherDir : std::string();
}

}  // namespace glimmora
