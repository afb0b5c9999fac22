// The picture-to-icon tool window on the offscreen platform: loading, dragging the frame, the size
// boxes, picking the colour, the buttons, and the wait that leaves the main window working.
#include "picturetool/ui/PictureToolDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "icons/BmpFile.h"
#include "text/LangRows.h"
#include "picturetool/ui/PictureConversionService.h"
#include "picturetool/ui/PictureToolViews.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

using testing::ScriptedPrompter;
using testing::TempDir;

LanguageTable Texts() {
  LanguageTable lang;
  auto& rows = lang.LangStr[0];
  rows[270] = "Size:";
  rows[271] = "Zoom:";
  rows[272] = "Sel:";
  rows[276] = "none";
  rows[277] = "Make";
  rows[459] = "Abort all";
  rows[617] = "Picture to icon";
  return lang;
}

// 80 x 60 pixels: colour (x, y, 100).
std::string WritePicture(const TempDir& dir, const std::string& name = "p.bmp") {
  Raster r(80, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x) r.Set(x, y, MakeRgb(x, y, 100));
  const std::vector<std::uint8_t> bytes = WriteBmp24(r);
  const std::string path = dir.str() + "/" + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void Drag(QWidget* w, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
  Mouse(w, QEvent::MouseButtonPress, from, button, button);
  Mouse(w, QEvent::MouseMove, from, Qt::NoButton, button);
  Mouse(w, QEvent::MouseMove, to, Qt::NoButton, button);
  Mouse(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

// Runs the event loop until the window's load has ended (pictures decode in the background).
void WaitForLoad(const PictureToolDialog& window) {
  EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.Loading(); }, 5000));
}

bool Load(PictureToolDialog& window, const std::string& path,
          PictureToolDialog::PictSource from = PictureToolDialog::PictSource::File) {
  window.GetPict(from, path);
  WaitForLoad(window);
  return !window.Loading();
}

template <typename T>
T* Find(QWidget* window, const char* name) {
  T* w = window->findChild<T*>(name);
  EXPECT_NE(w, nullptr) << name;
  return w;
}

class ToolWindowTest : public ::testing::Test {
 protected:
  TempDir dir;
  LanguageTable lang = Texts();
  ScriptedPrompter prompter;
};

TEST_F(ToolWindowTest, LoadDragPickAndMake) {
  PictureToolDialog window(lang, prompter, false);
  window.show();
  EXPECT_EQ(window.windowTitle(), "Picture to icon");
  EXPECT_EQ(Find<QLabel>(&window, "Label1_0")->text(), "Size:----x----");
  ASSERT_TRUE(Load(window, WritePicture(dir)));
  EXPECT_EQ(Find<QLabel>(&window, "Label1_0")->text(), "Size: 80 x 60 ");
  EXPECT_EQ(Find<QLabel>(&window, "Label1_1")->text(), "Zoom: 100%");
  EXPECT_FALSE(Find<QPushButton>(&window, "Command1_3")->isVisible());
  auto* make = Find<QPushButton>(&window, "Command1_0");
  EXPECT_FALSE(make->isEnabled());

  auto* image = Find<QWidget>(&window, "ImageS");
  EXPECT_EQ(image->size(), QSize(80, 60));
  Drag(image, QPoint(10, 10), QPoint(30, 25));
  EXPECT_EQ(Find<QLabel>(&window, "Label7")->text(), "Sel: 20 x 15");
  EXPECT_TRUE(make->isEnabled());
  ASSERT_TRUE(window.Model().PicSmall().has_value());
  EXPECT_EQ(window.Model().PicSmall()->At(0, 0), MakeRgb(10, 10, 100));

  // The size boxes: a typed value moves the bar at once; the box shows the number when done.
  auto* text = Find<QLineEdit>(&window, "TextIcoSize_0");
  auto* bar = Find<QScrollBar>(&window, "HScrollIcoSize_0");
  text->selectAll();
  QTest::keyClicks(text, "150");
  EXPECT_EQ(bar->value(), 100);
  EXPECT_EQ(text->text(), "150");
  text->selectAll();
  QTest::keyClick(text, Qt::Key_Backspace);
  EXPECT_EQ(bar->value(), 1);
  EXPECT_EQ(text->text(), "");  // an empty box is not filled in while typing
  QTest::keyClicks(text, "48");
  QTest::keyClick(text, Qt::Key_Return);
  EXPECT_EQ(bar->value(), 48);
  EXPECT_EQ(text->text(), "48");
  Find<QScrollBar>(&window, "HScrollIcoSize_1")->setValue(20);
  EXPECT_EQ(Find<QLineEdit>(&window, "TextIcoSize_1")->text(), "20");
  EXPECT_EQ(window.Model().PicSmall()->Width(), 48);
  EXPECT_EQ(window.Model().PicSmall()->Height(), 20);

  // A click on the preview's ground picks white and hides the hint.
  auto* label6 = Find<QLabel>(&window, "Label6");
  EXPECT_TRUE(label6->isVisible());
  Mouse(Find<QWidget>(&window, "PictureD"), QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton, Qt::LeftButton);
  EXPECT_FALSE(label6->isVisible());
  EXPECT_EQ(Find<QWidget>(&window, "PictureMaskColor")->palette().color(QPalette::Window), QColor(Qt::white));

  QTest::mouseClick(make, Qt::LeftButton);
  EXPECT_TRUE(prompter.asked.empty());  // a colour was picked: no question
  EXPECT_FALSE(window.isVisible());
  const PictureToolResult result = window.Result();
  EXPECT_EQ(result.Outcome, ToolOutcome::Made);
  EXPECT_EQ(result.Icon.Width(), 48);
  EXPECT_EQ(result.Icon.Height(), 20);
  EXPECT_EQ(result.MaskColour, kWhite);
}

TEST_F(ToolWindowTest, DefaultsPasteAndFailedLoads) {
  PictureToolDialog window(lang, prompter, false);
  window.show();
  Load(window, dir.str() + "/missing.jpg");
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{kRowPictureUnreadable});
  auto* make = Find<QPushButton>(&window, "Command1_0");
  QTest::mouseClick(Find<QPushButton>(&window, "Command1_1"), Qt::LeftButton);
  EXPECT_FALSE(make->isEnabled());  // nothing to make an icon of

  ASSERT_TRUE(Load(window, WritePicture(dir)));
  QTest::mouseClick(Find<QPushButton>(&window, "Command1_1"), Qt::LeftButton);
  EXPECT_TRUE(make->isEnabled());
  EXPECT_EQ(Find<QLabel>(&window, "Label7")->text(), "Sel: 80 x 60");
  EXPECT_EQ(window.Model().PicSmall()->Width(), 32);

  // Paste with nothing on the clipboard keeps the picture and says so.
  QGuiApplication::clipboard()->clear();
  prompter.asked.clear();
  QTest::mouseClick(Find<QPushButton>(&window, "Command1_2"), Qt::LeftButton);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{kRowClipboardNoPicture});
  EXPECT_EQ(Find<QLabel>(&window, "Label1_0")->text(), "Size: 80 x 60 ");
  QImage pasted(500, 20, QImage::Format_RGB32);
  pasted.fill(Qt::green);
  QGuiApplication::clipboard()->setImage(pasted);
  QTest::mouseClick(Find<QPushButton>(&window, "Command1_2"), Qt::LeftButton);
  WaitForLoad(window);
  EXPECT_EQ(Find<QLabel>(&window, "Label1_0")->text(), "Size: 500 x 20");
  QGuiApplication::clipboard()->clear();

  // Make without a picked colour asks; No keeps the window open.
  prompter.asked.clear();
  prompter.answers = {PromptAnswer::No};
  QTest::mouseClick(make, Qt::LeftButton);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{280});
  EXPECT_TRUE(window.isVisible());
  window.close();
  EXPECT_EQ(window.Result().Outcome, ToolOutcome::Closed);
  EXPECT_TRUE(window.Result().Icon.Empty());
}

TEST_F(ToolWindowTest, AbortButtonOnlyInABatch) {
  PictureToolDialog window(lang, prompter, true);
  window.show();
  Load(window, WritePicture(dir));
  auto* abort = Find<QPushButton>(&window, "Command1_3");
  ASSERT_TRUE(abort->isVisible());
  prompter.answers = {PromptAnswer::No, PromptAnswer::Yes};
  QTest::mouseClick(abort, Qt::LeftButton);
  EXPECT_TRUE(window.isVisible());
  QTest::mouseClick(abort, Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.Result().Outcome, ToolOutcome::Aborted);
  EXPECT_TRUE(window.Result().StopSaveIco);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{458, 458}));
}

// The conversion waits for the tool while the event loop runs: the tool is not modal, the main
// window keeps working, and a second conversion meanwhile is turned away.
TEST_F(ToolWindowTest, ConversionWaitsForTheToolWithoutBlocking) {
  const std::string picture = WritePicture(dir, "a.bmp");
  QWidget mainWindow;
  mainWindow.resize(800, 600);
  mainWindow.show();
  testing::FixedClock clock{LocalDateTime{}};
  PictureConversionService service(lang, prompter, clock, &mainWindow, dir.str(), "Glimmora");
  PictureToIconResult second;
  bool sawWindow = false;
  bool mainWorked = false;
  QTimer::singleShot(0, [&] {
    PictureToolDialog* tool = service.Tool().OpenWindow();
    ASSERT_NE(tool, nullptr);
    sawWindow = tool->isVisible() && !tool->isModal() && QApplication::activeModalWidget() == nullptr;
    WaitForLoad(*tool);
    QTimer::singleShot(0, &mainWindow, [&] { mainWorked = true; });
    QApplication::processEvents();
    PictureToIconRequest again;
    again.FolderPath = dir.str();
    again.FileName = "a.bmp";
    second = service.Converter().PictureToIcon(again);
    EXPECT_TRUE(service.Converter().DispPictBusy());
    QTest::mouseClick(tool->findChild<QPushButton*>("Command1_1"), Qt::LeftButton);
    tool->Model().PickMaskColour(1, 1);
    QTest::mouseClick(tool->findChild<QPushButton*>("Command1_0"), Qt::LeftButton);
  });
  PictureToIconRequest request;
  request.FolderPath = dir.str();
  request.FileName = "a.bmp";
  const PictureToIconResult result = service.Converter().PictureToIcon(request);
  EXPECT_TRUE(sawWindow);
  EXPECT_TRUE(mainWorked);
  EXPECT_EQ(second.Outcome, PictureOutcome::Busy);
  EXPECT_EQ(result.Outcome, PictureOutcome::Made);
  EXPECT_FALSE(service.Converter().DispPictBusy());
  EXPECT_EQ(service.Tool().OpenWindow(), nullptr);
  EXPECT_EQ(result.Item.Columns[0], "   32 x 32");
  EXPECT_TRUE(std::filesystem::exists(dir.str() + "/temp.ico"));
  EXPECT_EQ(result.Picture.Width(), 80);

  // Closing the tool ends the wait with nothing made.
  QTimer::singleShot(0, [&] { service.Tool().OpenWindow()->close(); });
  EXPECT_EQ(service.Converter().PictureToIcon(request).Outcome, PictureOutcome::Cancelled);
}

// A picture that takes long to decode: the tool shows it is loading, the program keeps handling
// events and the tool closes at once, telling the load to stop; whatever it hands back is dropped.
// The conversion's reader waits the same way.
TEST_F(ToolWindowTest, SlowLoadsNeverHoldTheWindow) {
  lang.LangStr[0][kRowPictureLoading] = "Loading";
  std::atomic<bool> release{false};
  const PictureFileLoader slow = [&release](const std::string&, const std::atomic<bool>* stop) {
    while (!release && !(stop != nullptr && *stop)) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    PictureLoad load;
    load.Picture = Raster(40, 30);
    return load;
  };
  PictureToolDialog window(lang, prompter, false);
  window.SetLoader(slow);
  window.show();
  window.GetPict(PictureToolDialog::PictSource::File, "slow.jpg");
  bool eventsRan = false;
  QTimer::singleShot(0, [&] { eventsRan = true; });
  // The loading text shows after its delay, however busy the machine; the events flow meanwhile.
  auto* loadingText = Find<QLabel>(&window, "LabelLoading");
  const auto start = std::chrono::steady_clock::now();
  while (!loadingText->isVisible() && std::chrono::steady_clock::now() - start < std::chrono::seconds(60))
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_TRUE(eventsRan);
  EXPECT_TRUE(window.Loading());
  EXPECT_TRUE(loadingText->isVisible());
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.Loading());
  EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone(2000));  // ended by its stop flag, never released
  QApplication::processEvents();
  EXPECT_FALSE(window.Model().HasPicture());
  EXPECT_EQ(window.Result().Outcome, ToolOutcome::Closed);
  EXPECT_TRUE(prompter.asked.empty());

  release = false;
  FilePictureReader reader(slow);
  bool ranDuringRead = false;
  QTimer::singleShot(0, [&] {
    ranDuringRead = true;
    release = true;
  });
  const std::optional<Raster> read = reader.ReadPicture("slow.jpg");
  EXPECT_TRUE(ranDuringRead);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->Width(), 40);
}

// Refused files say why: their own message for a picture over the size limit, the unreadable
// message with the reason for the rest (a file named as a picture that no reader knows is a
// damaged one); a damaged bitmap pasted from another program says it too. A picture drawn only in
// part is shown, and the user told so.
TEST_F(ToolWindowTest, RefusedFilesSayWhy) {
  for (const int row : {kRowPictureUnreadable, kRowClipboardPictureUnreadable, kRowPictureFileEmpty,
                        kRowPictureDamaged, PictureRefusalRow(PictureRefusal::BmpPixelsShort)})
    lang.LangStr[0][static_cast<std::size_t>(row)] = "row " + std::to_string(row);
  PictureToolDialog window(lang, prompter, false);
  window.show();
  const std::string empty = dir.str() + "/empty.gif";
  std::ofstream(empty).close();
  const std::string text = dir.str() + "/text.jpg";
  std::ofstream(text) << "no picture here";
  Load(window, empty);
  Load(window, text);
  window.SetLoader([](const std::string&, const std::atomic<bool>*) {
    PictureLoad load;
    load.Refusal = PictureRefusal::TooLarge;
    return load;
  });
  Load(window, "big.jpg");
  window.SetLoader(LoadPicture);
  // 64 x 64 pixels claimed, three rows there.
  std::vector<std::uint8_t> cut = WriteBmp24(Raster(64, 64));
  cut.resize(54 + 3 * 192);
  const std::string shortBmp = dir.str() + "/short.bmp";
  std::ofstream(shortBmp, std::ios::binary).write(reinterpret_cast<const char*>(cut.data()),
                                                  static_cast<std::streamsize>(cut.size()));
  Load(window, shortBmp);
  auto* offered = new QMimeData;
  offered->setData(QStringLiteral("image/bmp"), QByteArray(reinterpret_cast<const char*>(cut.data()),
                                                           static_cast<qsizetype>(cut.size())));
  QApplication::clipboard()->setMimeData(offered);
  Load(window, std::string(), PictureToolDialog::PictSource::Clipboard);
  QApplication::clipboard()->clear();
  window.SetLoader([](const std::string&, const std::atomic<bool>*) {
    PictureLoad load;
    load.Picture = Raster(30, 20);
    load.CutShort = true;
    return load;
  });
  Load(window, "cut.wmf");
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{kRowPictureUnreadable, kRowPictureUnreadable, kRowPictureOverLimit,
                                                    kRowPictureUnreadable, kRowClipboardPictureUnreadable,
                                                    kRowPictureCutShort}));
  EXPECT_EQ(prompter.asked[0].text, "row 631\nrow 663");
  EXPECT_EQ(prompter.asked[1].text, "row 631\nrow 665");
  EXPECT_EQ(prompter.asked[3].text, "row 631\nrow 742");
  EXPECT_EQ(prompter.asked[4].text, "row 749\nrow 742");
  EXPECT_EQ(Find<QLabel>(&window, "Label1_0")->text().toStdString(), lang.Row(kRowPictureSize) + " 30 x 20 ");
  EXPECT_FALSE(Find<QPushButton>(&window, "Command1_0")->isEnabled());
}

}  // namespace
}  // namespace glimmora
