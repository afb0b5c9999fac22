#pragma once
// The two link windows of the help menu: the maker's web page window (its web addresses open in
// the browser) and the friendly-links window (an invitation to exchange links and icons). Both are
// small, modeless and centred; Esc closes them.

#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>
#include <array>
#include <string>

#include "settings/AppState.h"
#include "mainwindow/ui/HelpWindow.h"

namespace glimmora {

// The maker's web addresses shown in the web page window, each opened as it is written.
inline constexpr std::array<const char*, 9> kMakerWebAddresses = {
    "www.example.com",        "www.example.org",        "www.example.net",
    "glimmora.example.com",   "icons.example.org",      "mirror.example.net",
    "east.example.com",       "west.example.org",       "download.example.net"};

class HomePageWindow : public QWidget {
  Q_OBJECT
 public:
  HomePageWindow(const AppState& state, AddressOpener opener, QWidget* parent = nullptr);

  std::array<QLabel*, 2> Label1{};
  QPlainTextEdit* Text1 = nullptr;
  std::array<QLabel*, 6> labelWebCity{};
  std::array<QLabel*, 9> WebAddress{};

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  AddressOpener opener_;
};

class FriendLinkWindow : public QWidget {
  Q_OBJECT
 public:
  FriendLinkWindow(const AppState& state, QWidget* parent = nullptr);

  std::array<QLabel*, 2> Label1{};
  QLabel* Label2 = nullptr;  // the sample line whose width the text box takes
  std::array<QPlainTextEdit*, 2> Text1{};  // 0 English, 1 Chinese

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// Centres a top-level window on its screen.
void CentreWindow(QWidget* window);

}  // namespace glimmora
