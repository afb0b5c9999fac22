#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "text/LangRows.h"
#include "platform/FileIcons.h"
#include "platform/FolderBrowser.h"
#include "platform/Shell.h"
#include "platform/Volumes.h"
#include "support/ScriptedPrompter.h"

namespace glimmora {
namespace {

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void Catch(const QUrl& url) { urls.push_back(url); }
};

TEST(DesktopWebOpener, HandsTheAddressToTheDesktopUnchanged) {
  UrlCatcher catcher;
  for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::setUrlHandler(scheme, &catcher, "Catch");
  DesktopWebOpener opener;
  OpenWebAddress(opener, "Example.ORG/Icons/Big.html  ", "web");
  OpenWebAddress(opener, "https://x.org/A", "WEB");
  OpenWebAddress(opener, "who@x.org", "Mail");
  for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
  ASSERT_EQ(catcher.urls.size(), 3);
  // Host names carry no case; the path keeps its own.
  EXPECT_EQ(catcher.urls[0].toString().toStdString(), "http://example.org/Icons/Big.html");
  EXPECT_EQ(catcher.urls[1].toString().toStdString(), "https://x.org/A");
  EXPECT_EQ(catcher.urls[2].toString().toStdString(), "mailto:who@x.org");
}

TEST(DesktopWebOpener, SaysWhyAnAddressWasNotOpened) {
  // The offscreen desktop has no browser and no mail program, as a machine without them.
  testing::ScriptedPrompter prompter;
  LanguageTable lang;
  lang.LangStr[0][kRowNoAddressHandler] = "No browser.";
  lang.LangStr[0][kRowAddressRefused] = "Not opened.";
  DesktopWebOpener opener(&prompter);
  opener.SetLanguage(&lang);
  EXPECT_FALSE(opener.OpenAddress("http://x.org/"));
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{kRowNoAddressHandler});
  EXPECT_EQ(prompter.asked[0].text, "No browser.\nhttp://x.org/");

  // Anything but a web, file-transfer or mail address never reaches the desktop, whoever asks.
  UrlCatcher catcher;
  const char* schemes[] = {"file", "smb", "javascript", "http"};
  for (const char* scheme : schemes) QDesktopServices::setUrlHandler(scheme, &catcher, "Catch");
  prompter.asked.clear();
  for (const char* address : {"file:///etc/passwd", "smb://host/share", "javascript:alert(1)", "http://[broken"})
    EXPECT_FALSE(opener.OpenAddress(address)) << address;
  for (const char* scheme : schemes) QDesktopServices::unsetUrlHandler(scheme);
  EXPECT_TRUE(catcher.urls.isEmpty());
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>(4, kRowAddressRefused));
  EXPECT_EQ(prompter.asked[0].text, "Not opened.\nfile:///etc/passwd");
}

// Runs `act` on the folder dialog once it is shown.
void OnFolderDialog(std::function<void(QFileDialog*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      act(dlg);
    }
  });
  timer->start(10);
}

TEST(QtFolderBrowser, TitleFromTheLanguageTableAndCancelGivesEmpty) {
  LanguageTable lang;
  lang.LangStr[0][390] = "Choose a folder";
  QtFolderBrowser browser(lang);
  QString shownTitle;
  OnFolderDialog([&](QFileDialog* dlg) {
    shownTitle = dlg->windowTitle();
    dlg->reject();
  });
  EXPECT_EQ(browser.BrowseForFolder(""), "");
  EXPECT_EQ(shownTitle, "Choose a folder");

  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("icons"));
  browser.SetStartFolder(dir.path() + "/icons/");
  OnFolderDialog([&](QFileDialog* dlg) {
    shownTitle = dlg->windowTitle();
    QMetaObject::invokeMethod(dlg, "accept");
  });
  EXPECT_EQ(browser.BrowseForFolder(" Where?"), (dir.path() + "/icons").toStdString());
  EXPECT_EQ(shownTitle, " Where?");
}

// A 16x16 32-bit icon, every pixel opaque red.
QByteArray RedIcon() {
  QByteArray b;
  auto u16 = [&](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
  auto u32 = [&](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
  u16(0), u16(1), u16(1);                                    // icon directory, one image
  b.append(char(16)).append(char(16)).append(char(0)).append(char(0));
  u16(1), u16(32), u32(40 + 16 * 16 * 4 + 16 * 4), u32(22);  // entry
  u32(40), u32(16), u32(32), u16(1), u16(32);                // header (height doubled)
  for (int i = 0; i < 6; ++i) u32(0);
  for (int i = 0; i < 16 * 16; ++i) b.append(char(0)).append(char(0)).append(char(0xFF)).append(char(0xFF));
  b.append(QByteArray(16 * 4, '\0'));                        // AND mask: all opaque
  return b;
}

TEST(DrawFileTypeIcon, IconFilesShowTheirOwnImage) {
  QTemporaryDir dir;
  const QString ico = dir.path() + "/red.ico";
  QFile f(ico);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(RedIcon());
  f.close();

  const FileTypeIcon both = DrawFileTypeIcon(ico, 3);
  EXPECT_EQ(both.DisplayName, "red.ico");
  ASSERT_EQ(both.Small.size(), QSize(16, 16));
  ASSERT_EQ(both.Large.size(), QSize(32, 32));
  EXPECT_EQ(both.Small.pixel(8, 8), qRgba(255, 0, 0, 255));
  EXPECT_EQ(both.Large.pixel(15, 15), qRgba(255, 0, 0, 255));
  EXPECT_EQ(qAlpha(both.Large.pixel(20, 20)), 0);  // drawn at its own size at the top left

  const FileTypeIcon small = DrawFileTypeIcon(ico, 1);
  EXPECT_FALSE(small.Small.isNull());
  EXPECT_TRUE(small.Large.isNull());
  const FileTypeIcon none = DrawFileTypeIcon(ico, 0);
  EXPECT_TRUE(none.Small.isNull() && none.Large.isNull());
}

TEST(DrawFileTypeIcon, OtherFilesGetTheirTypeName) {
  QTemporaryDir dir;
  QFile f(dir.path() + "/notes.txt");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("hello\n");
  f.close();
  const FileTypeIcon t = DrawFileTypeIcon(f.fileName(), 2);
  EXPECT_FALSE(t.TypeName.isEmpty());
  EXPECT_EQ(t.Large.size(), QSize(32, 32));
}

TEST(Volumes, RootComesFirst) {
  const std::vector<Volume> volumes = TreeVolumesNow();
  ASSERT_FALSE(volumes.empty());
  EXPECT_EQ(volumes.front().Mount.RootPath, "/");
  EXPECT_EQ(GetDriveTypeNow("/"), DriveType::Fixed);
  EXPECT_FALSE(GetDriveTypeNow("").has_value());
  EXPECT_TRUE(QDir::isAbsolutePath(QString::fromStdString(DesktopFolder())));
  EXPECT_TRUE(QDir::isAbsolutePath(QString::fromStdString(DocumentsFolder())));
}

}  // namespace
}  // namespace glimmora

#include "Shell_test.moc"
