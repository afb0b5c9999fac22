#pragma once
// The picture conversion ready for the main window: the tool window, the picture loaders and the
// conversion rules put together. The main window keeps one for the whole run and hands
// Converter() to the icon search and to the save of the checked files.

#include <QWidget>
#include <functional>
#include <string>

#include "common/Clock.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "settings/ModifierKeys.h"
#include "shared/PictureToIcon.h"
#include "picturetool/ui/PictureToolDialogRunner.h"
#include "platform/BackgroundJob.h"
#include "platform/PictureFiles.h"

namespace glimmora {

// The conversion's picture reader: the file decodes off the window's thread while the windows keep
// working, so a batch over many large pictures never freezes the program.
class FilePictureReader : public PictureReader {
 public:
  explicit FilePictureReader(PictureFileLoader loader = LoadPicture) : loader_(std::move(loader)) {}

  std::optional<Raster> ReadPicture(const std::string& path) override {
    PictureLoad load = RunWhileEventsFlow<PictureLoad>(
        [loader = loader_, path](const std::atomic<bool>& stop) { return loader(path, &stop); });
    if (!load.Ok()) return std::nullopt;
    return std::move(load.Picture);
  }

 private:
  const PictureFileLoader loader_;
};

class PictureConversionService {
 public:
  // `addPathToTree` shows a folder made beside a picture in the folder tree (may be empty).
  PictureConversionService(const LanguageTable& lang, Prompter& prompter, const Clock& clock, QWidget* mainWindow,
                           std::string appPath, std::string appTitle, ModifierKeys* keys = nullptr,
                           std::function<void(const std::string&)> addPathToTree = {})
      : tool_(lang, prompter, mainWindow),
        converter_(tool_, reader_,
                   PictureConversionEnv{lang, prompter, clock, keys, std::move(appPath), std::move(appTitle),
                                        std::move(addPathToTree)}) {}

  PictureConverter& Converter() { return converter_; }
  PictureToolDialogRunner& Tool() { return tool_; }

 private:
  PictureToolDialogRunner tool_;
  FilePictureReader reader_;
  PictureConverter converter_;
};

}  // namespace glimmora
