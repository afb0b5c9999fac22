// glimmora_snapshot: prints what the program shows and what it writes, so that two builds can be
// compared line by line. Modes: captions, writes, messages, all. Everything goes to stdout and is
// the same from run to run: no times, no addresses, and the work folder is named by the caller
// (GLIMMORA_SNAPSHOT_DIR) and printed only relative to itself.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "mainwindow/ui/MainWindow.h"
#include "picturetool/ui/PictureToolDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/ScriptedShell.h"

namespace glimmora::snapshot {

// The scripted session and the work folder (SnapshotScript.cpp).
std::filesystem::path WorkRoot();
void ResetWorkRoot();
std::filesystem::path MakeProgramFolder(const std::string& name, Language lang);
void Writes();
void Messages(Language lang);

namespace {

// One line a text; the root of the work folder never shows, nor do line breaks.
QString Clean(QString s) {
  s.replace(QString::fromStdString(WorkRoot().string()), "<root>");
  s.replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t");
  return s;
}

// The nearest class Qt itself declares: our own class names may change without anything shown
// changing.
QString QtClass(const QObject* o) {
  const QMetaObject* m = o->metaObject();
  while (m->superClass() != nullptr) {
    const QString name = m->className();
    if (name.size() > 2 && name[0] == 'Q' && name[1].isUpper() && !name.startsWith("Qt")) break;
    m = m->superClass();
  }
  return m->className();
}

// The name of `o` among its siblings: its object name, else its Qt class and its place among the
// unnamed siblings of that class.
QString Segment(const QObject* o) {
  if (!o->objectName().isEmpty()) return o->objectName();
  const QString cls = QtClass(o);
  int n = 0;
  if (o->parent() != nullptr)
    for (const QObject* s : o->parent()->children()) {
      if (s == o) break;
      if (s->objectName().isEmpty() && QtClass(s) == cls) ++n;
    }
  return cls + "#" + QString::number(n);
}

QString PathOf(const QObject* o, const QObject* top) {
  QString path = Segment(o);
  for (const QObject* p = o->parent(); p != nullptr && o != top; p = p->parent()) {
    path = Segment(p) + "/" + path;
    if (p == top) break;
  }
  return path;
}

void Actions(const QString& path, const QList<QAction*>& actions, QStringList& out) {
  for (int i = 0; i < actions.size(); ++i) {
    const QAction* a = actions[i];
    QString line = QString("%1/action[%2] ").arg(path).arg(i, 2, 10, QChar('0'));
    if (a->isSeparator()) {
      out << line + "----";
      continue;
    }
    if (!a->text().isEmpty()) line += "text=" + Clean(a->text());
    if (!a->shortcut().isEmpty()) line += " key=" + a->shortcut().toString(QKeySequence::PortableText);
    if (!a->toolTip().isEmpty() && a->toolTip() != QString(a->text()).remove('&')) line += " tip=" + Clean(a->toolTip());
    if (!a->isVisible()) line += " [hidden]";
    if (!a->isEnabled()) line += " [disabled]";
    if (a->isCheckable()) line += a->isChecked() ? " [checked]" : " [unchecked]";
    out << line;
  }
}

// Every text `top` shows, one line each, sorted.
QStringList WindowTexts(const QString& section, QWidget* top) {
  QStringList out;
  QList<QWidget*> widgets = top->findChildren<QWidget*>();
  widgets.prepend(top);
  for (QWidget* w : widgets) {
    const QString path = section + " " + PathOf(w, top);
    auto add = [&](const QString& key, const QString& text) {
      if (!text.isEmpty()) out << path + " " + key + "=" + Clean(text);
    };
    // Menus are listed closed: they are the popups too. Qt's own unnamed ones (the menu bar's
    // overflow) follow the window's width.
    if (auto* m = qobject_cast<QMenu*>(w)) {
      if (m->objectName().isEmpty()) continue;
      add("title", m->title());
      Actions(path, m->actions(), out);
      continue;
    }
    if (!w->isVisibleTo(top) && w != top) continue;
    if (w->isWindow()) add("title", w->windowTitle());
    add("tip", w->toolTip());
    add("accessible", w->accessibleName());
    if (qobject_cast<QMenuBar*>(w) || qobject_cast<QToolBar*>(w)) Actions(path, w->actions(), out);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      auto* tb = qobject_cast<QToolButton*>(w);
      if (tb == nullptr || tb->defaultAction() == nullptr) add("text", b->text());
    }
    if (auto* l = qobject_cast<QLabel*>(w)) add("text", l->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) add("title", g->title());
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
      add("text", e->text());
      add("placeholder", e->placeholderText());
    }
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) add("text", e->toPlainText());
    if (auto* s = qobject_cast<QStatusBar*>(w)) add("message", s->currentMessage());
    if (auto* c = qobject_cast<QComboBox*>(w)) {
      add("current", c->currentText());
      for (int i = 0; i < c->count(); ++i) add(QString("item[%1]").arg(i), c->itemText(i));
    }
    if (auto* t = qobject_cast<QTabBar*>(w))
      for (int i = 0; i < t->count(); ++i) {
        add(QString("tab[%1]").arg(i), t->tabText(i));
        add(QString("tabtip[%1]").arg(i), t->tabToolTip(i));
      }
    if (auto* h = qobject_cast<QHeaderView*>(w); h != nullptr && h->model() != nullptr)
      for (int i = 0; i < h->count(); ++i)
        if (!h->isSectionHidden(i))
          add(QString("header[%1]").arg(i), h->model()->headerData(i, h->orientation()).toString());
    if (auto* t = qobject_cast<QTreeWidget*>(w)) {
      std::vector<std::pair<QTreeWidgetItem*, QString>> todo;
      for (int i = 0; i < t->topLevelItemCount(); ++i) todo.emplace_back(t->topLevelItem(i), QString::number(i));
      while (!todo.empty()) {
        auto [item, at] = todo.back();
        todo.pop_back();
        for (int c = 0; c < t->columnCount(); ++c) add(QString("node[%1][%2]").arg(at).arg(c), item->text(c));
        for (int i = 0; i < item->childCount(); ++i) todo.emplace_back(item->child(i), at + "." + QString::number(i));
      }
    }
  }
  out.sort();
  return out;
}

void Settle() {
  for (int i = 0; i < 3; ++i) {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void Print(const QStringList& lines) {
  for (const QString& line : lines) std::cout << line.toStdString() << "\n";
}

// The windows open besides the main window, listed and then closed.
void DumpOtherWindows(const QString& section, QWidget* main) {
  QList<QWidget*> tops;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != main && w->isVisible() && qobject_cast<QMenu*>(w) == nullptr) tops << w;
  std::sort(tops.begin(), tops.end(), [](QWidget* a, QWidget* b) { return Segment(a) < Segment(b); });
  for (QWidget* w : tops) {
    Print(WindowTexts(section + "/" + Segment(w), w));
    w->close();
  }
  Settle();
}

void Trigger(QWidget* window, const QString& name) {
  if (auto* a = window->findChild<QAction*>(name)) {
    a->setEnabled(true);
    a->trigger();
  }
  Settle();
}

void Captions(Language lang) {
  const QString L = QString("captions L%1").arg(static_cast<int>(lang));
  const std::string app = MakeProgramFolder("captions" + std::to_string(static_cast<int>(lang)), lang).string();
  testing::ScriptedPrompter prompter;
  prompter.fallback = PromptAnswer::Cancel;
  testing::RecordingWebOpener opener;
  auto window = std::make_unique<MainWindow>(app, prompter, opener);
  if (!window->Start()) {
    std::cout << L.toStdString() << " start failed\n";
    return;
  }
  window->resize(1024, 768);
  Settle();
  auto* tabs = window->findChild<QTabBar*>("TabStrip1");
  for (int tab = 0; tab < (tabs ? tabs->count() : 1); ++tab) {
    if (tabs) tabs->setCurrentIndex(tab);
    Settle();
    const QString section = QString("%1 page%2").arg(L).arg(tab);
    Print(WindowTexts(section, window.get()));
    // The windows each page opens without a modal loop; the options are those of the list with
    // the focus.
    for (const char* list : {"ListViewLIco", "ListViewIcoClipboard", "ListViewFile", "ListViewPict"}) {
      auto* pane = window->findChild<QWidget*>(list);
      if (pane == nullptr || !pane->isVisible()) continue;
      QWidget* view = pane;
      for (auto* v : pane->findChildren<QAbstractItemView*>())
        if (v->isVisible()) view = v;
      QApplication::setActiveWindow(window.get());
      view->setFocus(Qt::MouseFocusReason);
      Settle();
      Trigger(window.get(), "mnOptSet");
      DumpOtherWindows(section + " options " + list, window.get());
    }
    if (tab == 0) {
      Trigger(window.get(), "mnTreeViewLPopMenuSub(0)");
      DumpOtherWindows(section + " newlibrary", window.get());
      Trigger(window.get(), "mnTreeViewLPopMenuSub(1)");
      DumpOtherWindows(section + " deletelibrary", window.get());
      if (auto* icons = window->findChild<QAbstractItemView*>("ListViewLIco_Report")) {
        QTest::mouseDClick(icons->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        Settle();
      }
      DumpOtherWindows(section + " author", window.get());
    }
    if (tab == 2) {
      Trigger(window.get(), "mnWebSiteSub(3)");
      DumpOtherWindows(section + " website", window.get());
    }
  }
  for (const char* help : {"mnHelpAbout", "mnHelpWebsite", "mnHelpFrdLink"}) {
    Trigger(window.get(), help);
    DumpOtherWindows(L + " help " + help, window.get());
  }
  // The picture tool waits in an event loop of its own when the program opens it; shown here on
  // its own, its texts are the same.
  auto* tool = new PictureToolDialog(window->State().LangStr, prompter, true, window.get());
  tool->show();
  Settle();
  DumpOtherWindows(L + " picturetool", window.get());
  delete tool;
  window.reset();
  Settle();
}

}  // namespace
}  // namespace glimmora::snapshot

int main(int argc, char** argv) {
  using namespace glimmora;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString mode = argc > 1 ? QString(argv[1]) : QString();
  const bool all = mode == "all";
  if (!all && mode != "captions" && mode != "writes" && mode != "messages") {
    std::cerr << "usage: glimmora_snapshot captions|writes|messages|all\n";
    return 2;
  }
  snapshot::ResetWorkRoot();
  const Language langs[] = {Language::English, Language::ChineseGB, Language::ChineseBig5};
  if (all || mode == "captions")
    for (Language l : langs) snapshot::Captions(l);
  if (all || mode == "writes") snapshot::Writes();
  if (all || mode == "messages")
    for (Language l : langs) snapshot::Messages(l);
  std::cout.flush();
  snapshot::ResetWorkRoot();
  return 0;
}
