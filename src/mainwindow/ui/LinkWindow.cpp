#include "mainwindow/ui/LinkWindow.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <utility>

#include "text/LangRows.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/QtText.h"

namespace glimmora {
namespace {

// The texts of the friendly-links window, fixed in both languages.
constexpr const char* kFriendLinksEnglish =
    "Do you keep a web site about icons, desktop themes or graphics?\n"
    "We gladly exchange links with the Glimmora home page: write to us\n"
    "with your site's name and address, and we will link to it.\n"
    "\n"
    "Do you draw icons? Icon designers are welcome to send their work;\n"
    "with your permission we share good icon sets with every Glimmora user.\n"
    "\n"
    "News of Glimmora, new versions and new icon libraries are announced\n"
    "on the Glimmora home page (Help menu, web site).";
constexpr const char* kFriendLinksChinese =
    "您有关于图标、桌面主题或图形的网站吗？\n"
    "我们乐意与您的网站交换友情链接：请把网站名称和网址告诉我们，\n"
    "我们会在主页上加入您的链接。\n"
    "\n"
    "您会设计图标吗？欢迎图标设计者投稿；征得您的同意后，\n"
    "我们会以您的名义把好的图标与所有用户分享。\n"
    "\n"
    "软件的新消息、新版本和新图标库，请留意我们的主页（帮助菜单）。";
// The longest line of the English text: the text box is made as wide as this line.
constexpr const char* kSampleLine =
    "with your permission we share good icon sets with every Glimmora user.";

QPlainTextEdit* ReadOnlyText(const QString& text, QWidget* parent) {
  auto* box = new QPlainTextEdit(text, parent);
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setFrameShape(QFrame::NoFrame);
  return box;
}

}  // namespace

void CentreWindow(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  window->adjustSize();
  const QRect area = screen->availableGeometry();
  window->move(area.x() + (area.width() - window->width()) / 2,
               area.y() + (area.height() - window->height()) / 2);
}

HomePageWindow::HomePageWindow(const AppState& state, AddressOpener opener, QWidget* parent)
    : QWidget(parent, Qt::Window), opener_(std::move(opener)) {
  setObjectName("FrmHomePage");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Q(state.Row(kRowHomePageTitle)));

  Label1[1] = new QLabel(Q(state.Row(kRowHomePageSitesLabel)), this);
  Label1[0] = new QLabel(Q(state.Row(kRowHomePageHeading)), this);
  QFont heading = Label1[1]->font();
  heading.setBold(true);
  heading.setPointSizeF(heading.pointSizeF() * 1.3);
  Label1[1]->setFont(heading);
  const QString text = QStringLiteral("\r\n") + Q(state.Row(kRowHomePageNews)) + QStringLiteral("\r\n") +
                       Q(state.Row(kRowHomePageDesigners)) + QStringLiteral("\r\n");
  Text1 = new QPlainTextEdit(text, this);
  Text1->setReadOnly(true);
  SetControlName(Text1, state.Row(kRowHomePageHeading));
  Text1->setMaximumHeight(Text1->fontMetrics().lineSpacing() * 6);

  auto* grid = new QGridLayout;
  // Six places, the first three with two addresses each.
  int address = 0;
  for (int i = 0; i < 6; ++i) {
    labelWebCity[static_cast<std::size_t>(i)] = new QLabel(Q(state.Row(kRowWebPlaceHome + i)), this);
    grid->addWidget(labelWebCity[static_cast<std::size_t>(i)], i, 0);
    const int perPlace = i < 3 ? 2 : 1;
    for (int j = 0; j < perPlace; ++j, ++address) {
      const QString caption = QString::fromLatin1(kMakerWebAddresses[static_cast<std::size_t>(address)]);
      auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(caption.toHtmlEscaped()), this);
      label->setObjectName(QStringLiteral("WebAddress%1").arg(address));
      label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
      // Each label opens its own caption, never the link text the label might have rewritten.
      connect(label, &QLabel::linkActivated, this, [this, caption](const QString&) {
        if (opener_) opener_(caption.toStdString());
      });
      WebAddress[static_cast<std::size_t>(address)] = label;
      grid->addWidget(label, i, 1 + j);
    }
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1[1]);
  layout->addWidget(Text1);
  layout->addWidget(Label1[0]);
  layout->addLayout(grid);
  CentreWindow(this);
}

void HomePageWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

FriendLinkWindow::FriendLinkWindow(const AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName("FrmFrdLink");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString());

  // The heading is drawn twice, slightly offset, as a shadow under the text.
  QFont heading = font();
  heading.setBold(true);
  heading.setPointSizeF(heading.pointSizeF() * 1.4);
  for (QLabel*& label : Label1) {
    label = new QLabel(Q(state.Row(kRowFriendlyLinksTitle)), this);
    label->setFont(heading);
    label->setAlignment(Qt::AlignCenter);
  }
  Label1[0]->setStyleSheet(QStringLiteral("color: #9a9a9a;"));
  Label2 = new QLabel(QString::fromLatin1(kSampleLine), this);
  Label2->hide();

  Text1[0] = ReadOnlyText(QString::fromUtf8(kFriendLinksEnglish), this);
  Text1[1] = ReadOnlyText(QString::fromUtf8(kFriendLinksChinese), this);
  for (QPlainTextEdit* text : Text1) SetControlName(text, state.Row(kRowFriendlyLinksTitle));
  // Both Chinese languages read the same Chinese text.
  const std::size_t shown = state.CurLang() == Language::English ? 0 : 1;
  QPlainTextEdit* box = Text1[shown];
  Text1[1 - shown]->hide();
  const QFontMetrics metrics(box->font());
  const int margin = static_cast<int>(box->document()->documentMargin() * 2) + 2 * box->frameWidth() + 8;
  box->setFixedWidth(metrics.horizontalAdvance(Label2->text()) + margin);
  box->setFixedHeight(metrics.lineSpacing() * (box->document()->blockCount() + 1) + margin);

  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  auto* frameLayout = new QVBoxLayout(frame);
  frameLayout->addWidget(box);

  // Heading and its shadow share one cell of a grid; the shadow sits one pixel lower and right.
  auto* headingGrid = new QGridLayout;
  headingGrid->addWidget(Label1[0], 0, 0);
  headingGrid->addWidget(Label1[1], 0, 0);
  Label1[0]->setContentsMargins(2, 2, 0, 0);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(headingGrid);
  layout->addWidget(frame);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  CentreWindow(this);
}

void FriendLinkWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace glimmora
