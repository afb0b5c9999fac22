#pragma once
// The options dialog: the save parameters of one list, with the editor path of the icon
// clipboard. Modeless; it stays bound to the list it was opened for.

#include <QDialog>
#include <QSortFilterProxyModel>
#include <array>
#include <functional>

#include "common/Prompter.h"
#include "text/LanguageTable.h"
#include "common/ShellServices.h"
#include "settings/OptionsLogic.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace glimmora {

// The program chooser's view of the folders: while its first filter is chosen, only the files
// one may run (and the folders to reach them).
class RunnableFilesOnly : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  bool Active() const { return active_; }
  void SetActive(bool active);

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

 private:
  bool active_ = true;
};

class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  // Chooses a program for the editor box: returns its full path, or "" when cancelled.
  using ProgramChooser = std::function<std::string(const std::string& title)>;

  OptionsDialog(OptionsForm form, SaveParams& params, OptionsMemory& memory,
                const LanguageTable& lang, Prompter& prompter, FolderBrowser& browser,
                ProgramChooser chooser, QWidget* parent = nullptr);

  Pane List() const { return form_.list; }
  // The editor path as the box shows it now, stored or not.
  std::string EditorText() const { return form_.editorText; }

  QRadioButton* Choice(OptGroup group, int index) const;
  QGroupBox* Frame(int index) const { return frames_[static_cast<std::size_t>(index)]; }
  QLineEdit* FolderBox() const { return folderBox_; }
  QLineEdit* EditorBox() const { return editorBox_; }
  QToolButton* ChooserButton() const { return chooserButton_; }

  void PressOk();
  void BrowseFolder();
  void ChooseProgram();

  // The program chooser of the editor box: an open-file dialog whose first filter shows only the
  // files one may run. Returns the chosen file's full path, or "" when cancelled.
  static std::string ChooseProgramFile(QWidget* parent, const std::string& title,
                                       const LanguageTable& lang);

 private:
  void Show();  // the widgets follow the form

  OptionsForm form_;
  SaveParams& params_;
  OptionsMemory& memory_;
  const LanguageTable& lang_;
  Prompter& prompter_;
  FolderBrowser& browser_;
  ProgramChooser chooser_;

  std::array<QGroupBox*, 8> frames_{};
  std::array<QButtonGroup*, kOptGroups> groups_{};
  QLineEdit* folderBox_;
  QToolButton* browseButton_;
  QLineEdit* editorBox_;
  QToolButton* chooserButton_;
  QLabel* editorNote_;
  bool showing_ = false;
};

}  // namespace glimmora
