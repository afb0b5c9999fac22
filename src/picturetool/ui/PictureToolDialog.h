#pragma once
// The picture-to-icon tool's own window (FormGetMaskColor): a dialog beside the main window, not
// blocking it, that shows a picture reduced into its frame, lets the user frame a part of it, set
// the icon's width and height and pick the transparent colour from the preview, and ends with the
// icon made, the batch aborted or the window closed. A fresh dialog serves each picture
// (PictureToolDialogRunner opens it and waits).

#include <QDialog>
#include <QFutureWatcher>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "text/LangRows.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "shared/PictureTool.h"
#include "picturetool/PictureToolModel.h"
#include "platform/BackgroundJob.h"
#include "platform/PictureFiles.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace glimmora {

class PictureView;
class PreviewBox;

class PictureToolDialog : public QDialog {
  Q_OBJECT
 public:
  // `mainWindow` gives the size the tool takes (0.9 of it) and is its parent; it may be null.
  PictureToolDialog(const LanguageTable& lang, Prompter& prompter, bool showAbort, QWidget* mainWindow = nullptr);
  ~PictureToolDialog() override;

  // Loads the picture of a file or of the system clipboard and fits it
  // into the frame. The decoding runs off the window's thread: the window shows that it is loading
  // and can be closed meanwhile; a load started later, or closing, drops the earlier one. A file
  // that cannot be read, or an empty clipboard, is reported with the reason; a failed load keeps
  // the picture shown.
  enum class PictSource { File, Clipboard };
  void GetPict(PictSource mmod, const std::string& path = std::string());
  // A load is running.
  bool Loading() const { return loading_ != nullptr; }
  // How picture files are loaded (LoadPicture unless a test slows it down).
  void SetLoader(PictureFileLoader loader) { loader_ = std::move(loader); }

  // What the tool leaves behind once it is closed.
  PictureToolResult Result() const;
  // The same, handing over the loaded picture instead of copying it.
  PictureToolResult TakeResult();

  PictureToolModel& Model() { return model_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void BuildWidgets(bool showAbort);
  void ApplyCaptions();
  void StartLoad(std::function<PictureLoad(const std::atomic<bool>& stop)> job, bool fromFile);
  void DropLoad();
  void PictureArrived(PictureLoad load, bool fromFile);
  void ReportRefusal(const PictureLoad& load, bool fromFile);
  void ShowPicture();
  void Refresh();
  void SizeScrolled(int side, int value);
  void SizeTyped(int side, const QString& text);
  void SizeTypingDone(int side);
  // The tool's buttons by their index in the button row.
  void CommandButtonClicked(int index);
  void Unload(ToolOutcome outcome);

  const LanguageTable& lang_;
  Prompter& prompter_;
  PictureToolModel model_;
  ToolOutcome outcome_ = ToolOutcome::Closed;
  bool formReady_ = false;
  bool unloaded_ = false;
  PictureFileLoader loader_ = LoadPicture;
  QFutureWatcher<PictureLoad>* loading_ = nullptr;  // the load running, a child of the window
  StopFlag loadingStop_;                            // tells that load to stop when it is dropped
  bool pictureFromFile_ = false;  // the picture shown is the file's, not a paste

  QFrame* frame1_ = nullptr;
  PictureView* imageS_ = nullptr;
  PreviewBox* pictureD_ = nullptr;
  QFrame* swatch_ = nullptr;
  QLabel* label6_ = nullptr;
  std::array<QLabel*, 2> label1_{};
  QLabel* label7_ = nullptr;
  QLabel* loadingLabel_ = nullptr;
  QLabel* label2_ = nullptr;
  std::array<QLabel*, 2> label3_{};
  QLabel* label4_ = nullptr;
  std::array<QLabel*, 2> label5_{};
  std::array<QScrollBar*, 2> sizeBars_{};
  std::array<QLineEdit*, 2> sizeTexts_{};
  std::array<QPushButton*, 4> buttons_{};
};

}  // namespace glimmora
