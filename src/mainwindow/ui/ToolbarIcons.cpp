#include "mainwindow/ui/ToolbarIcons.h"
#include "shared/ToolbarSlots.h"

#include <QPainter>
#include <cmath>
#include <QPainterPath>
#include <QPixmap>

namespace glimmora {
namespace {

// All pictures are drawn on a 24-unit grid and scaled to the requested size.
constexpr QColor kInk(52, 64, 84);
constexpr QColor kFolder(232, 184, 72);
constexpr QColor kPaper(250, 250, 246);
constexpr QColor kBlue(54, 120, 200);
constexpr QColor kGreen(52, 150, 84);
constexpr QColor kRed(200, 60, 52);

void Folder(QPainter& p, QRectF r) {
  QPainterPath path;
  path.moveTo(r.left(), r.top() + 3);
  path.lineTo(r.left() + r.width() * 0.4, r.top() + 3);
  path.lineTo(r.left() + r.width() * 0.5, r.top());
  path.lineTo(r.right(), r.top());
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(kFolder);
  p.drawPath(path);
}

void Plus(QPainter& p, QPointF c, qreal s, QColor color) {
  p.setPen(QPen(color, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(c.x() - s, c.y()), QPointF(c.x() + s, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - s), QPointF(c.x(), c.y() + s));
}

void Cross(QPainter& p, QPointF c, qreal s, QColor color) {
  p.setPen(QPen(color, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(c.x() - s, c.y() - s), QPointF(c.x() + s, c.y() + s));
  p.drawLine(QPointF(c.x() - s, c.y() + s), QPointF(c.x() + s, c.y() - s));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor color) {
  p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const qreal len = std::max<qreal>(1.0, std::hypot(d.x(), d.y()));
  const QPointF u = d / len, n(-u.y(), u.x());
  p.drawLine(to, to - u * 4 + n * 3);
  p.drawLine(to, to - u * 4 - n * 3);
}

void Sheet(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRoundedRect(r, 1.5, 1.5);
}

// An icon tile: a small square picture with a coloured frame, the program's own subject.
void Tile(QPainter& p, QRectF r, QColor color) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(color);
  p.drawRoundedRect(r, 2, 2);
  p.setBrush(QColor(255, 255, 255, 150));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.2, r.width() * 0.35,
                       r.height() * 0.35));
}

void Disk(QPainter& p, const QString& letter) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(6.5, 3, 11, 7));
  p.setBrush(QColor(210, 220, 236));
  p.drawRect(QRectF(6, 13, 12, 8));
  if (!letter.isEmpty()) {
    QFont f = p.font();
    f.setPixelSize(8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(6, 13, 12, 8), Qt::AlignCenter, letter);
  }
}

void Clipboard(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(186, 140, 92));
  p.drawRoundedRect(QRectF(4, 3, 15, 19), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(6, 6, 11, 14));
  p.setBrush(QColor(150, 156, 166));
  p.drawRoundedRect(QRectF(8, 1.5, 7, 3.5), 1, 1);
}

void Draw(QPainter& p, int command) {
  switch (command) {
    case kToolCollapseTree:  // collapse the tree
    case kToolRefreshTree: {  // rebuild the tree
      p.setPen(QPen(kInk, 1.2));
      p.drawLine(QPointF(6, 7), QPointF(6, 19));
      p.drawLine(QPointF(6, 12), QPointF(10, 12));
      p.drawLine(QPointF(6, 19), QPointF(10, 19));
      Folder(p, QRectF(2, 2, 9, 7));
      Folder(p, QRectF(10, 9, 8, 6));
      Folder(p, QRectF(10, 16, 8, 6));
      if (command == kToolCollapseTree) {
        p.setPen(QPen(kBlue, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 4), QPointF(22, 4));
      } else {
        p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(15, 1, 7, 7), 30 * 16, 280 * 16);
      }
      break;
    }
    case kToolNewCategory:  // new category or library
      Folder(p, QRectF(2, 6, 16, 13));
      Plus(p, QPointF(18, 6), 4, kGreen);
      break;
    case kToolMoveClipboardIntoLibrary:  // clipboard icons into the library
      Tile(p, QRectF(2, 3, 8, 8), QColor(120, 180, 230));
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(120, 84, 160));
      p.drawRect(QRectF(11, 9, 10, 13));
      p.setBrush(kPaper);
      p.drawRect(QRectF(13, 11, 6, 9));
      Arrow(p, QPointF(7, 13), QPointF(13, 17), kGreen);
      break;
    case kToolCopyClipboardToFolder:  // clipboard icons into a folder
      Folder(p, QRectF(8, 9, 14, 12));
      Tile(p, QRectF(2, 2, 8, 8), QColor(120, 180, 230));
      Arrow(p, QPointF(8, 8), QPointF(14, 14), kGreen);
      break;
    case kToolDeleteAllClipboardIcons:  // empty the icon clipboard
      Clipboard(p);
      Cross(p, QPointF(16, 17), 3.6, kRed);
      break;
    case kToolSaveAsIco: Disk(p, "ICO"); break;
    case kToolSaveAsBmp: Disk(p, "BMP"); break;
    case kToolSaveWithOptions:  // save with the save parameters
      Disk(p, "");
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(250, 210, 70));
      {
        QPainterPath star;
        const QPointF c(17, 17);
        for (int i = 0; i < 10; ++i) {
          const qreal r = i % 2 ? 2.4 : 5.5;
          const qreal a = -M_PI / 2 + i * M_PI / 5;
          const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
          i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.drawPath(star);
      }
      break;
    case kToolCopyToIconClipboard:  // into the icon clipboard
      Clipboard(p);
      Tile(p, QRectF(8, 9, 7, 7), QColor(120, 180, 230));
      Plus(p, QPointF(18, 18), 3.5, kGreen);
      break;
    case kToolDelete:  // delete
      Sheet(p, QRectF(4, 3, 13, 17));
      Cross(p, QPointF(15, 16), 5, kRed);
      break;
    case kToolSelectAll:  // select all
    case kToolCancelSelection:  // cancel the selection
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
          const QRectF cell(3 + c * 6.5, 3 + r * 6.5, 5, 5);
          p.setPen(QPen(kInk, 1));
          p.setBrush(command == kToolSelectAll ? QBrush(kBlue) : QBrush(kPaper));
          p.drawRect(cell);
        }
      break;
    case kToolReportView:  // report view
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(2.5, 3.5, 19, 17));
      p.setBrush(QColor(210, 220, 236));
      p.drawRect(QRectF(2.5, 3.5, 19, 4));
      for (int i = 0; i < 3; ++i) p.drawLine(QPointF(5, 11 + i * 3.5), QPointF(19, 11 + i * 3.5));
      p.drawLine(QPointF(10, 3.5), QPointF(10, 20.5));
      break;
    case kToolListView:  // list view
      for (int col = 0; col < 2; ++col)
        for (int i = 0; i < 4; ++i) {
          Tile(p, QRectF(2 + col * 11, 3 + i * 5, 3.5, 3.5), QColor(120, 180, 230));
          p.setPen(QPen(kInk, 1.2));
          p.drawLine(QPointF(7 + col * 11, 4.8 + i * 5), QPointF(11 + col * 11, 4.8 + i * 5));
        }
      break;
    case kToolLargeIconsView:  // large icons
      Tile(p, QRectF(2, 2, 9, 9), QColor(120, 180, 230));
      Tile(p, QRectF(13, 2, 9, 9), QColor(240, 160, 80));
      Tile(p, QRectF(2, 13, 9, 9), QColor(120, 200, 130));
      Tile(p, QRectF(13, 13, 9, 9), QColor(210, 120, 190));
      break;
    case kToolOpenWebSite: {  // open the web site
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(120, 180, 230));
      p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(8, 2.5, 8, 19));
      p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
      p.drawLine(QPointF(4.5, 7), QPointF(19.5, 7));
      p.drawLine(QPointF(4.5, 17), QPointF(19.5, 17));
      break;
    }
    case kToolEditWebSite:  // edit the entry
      Sheet(p, QRectF(3, 3, 13, 18));
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(250, 200, 60));
      {
        QPainterPath pen;
        pen.moveTo(20, 6);
        pen.lineTo(22, 8);
        pen.lineTo(12, 18);
        pen.lineTo(9, 19);
        pen.lineTo(10, 16);
        pen.closeSubpath();
        p.drawPath(pen);
      }
      break;
    case kToolAddWebSite:  // add an entry
      Sheet(p, QRectF(3, 3, 13, 18));
      Plus(p, QPointF(17, 16), 4.5, kGreen);
      break;
    case kToolDeleteTickedWebSites:  // delete the ticked entries
      Sheet(p, QRectF(3, 3, 13, 18));
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(5.5, 6, 4, 4));
      p.drawLine(QPointF(6, 8), QPointF(7.5, 9.5));
      p.drawLine(QPointF(7.5, 9.5), QPointF(10, 5.5));
      Cross(p, QPointF(16, 16), 4, kRed);
      break;
    case kToolHelpContents: {  // help
      p.setPen(QPen(kInk, 1));
      p.setBrush(kBlue);
      p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
      QFont f = p.font();
      f.setPixelSize(15);
      f.setBold(true);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter, "?");
      break;
    }
    case kToolSupportMail:  // mail
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(2.5, 5.5, 19, 13));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({QPointF(2.5, 5.5), QPointF(12, 13), QPointF(21.5, 5.5)}));
      break;
    default:
      break;
  }
}

QPixmap Render(int command, int size, bool greyed) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    Draw(p, command);
  }
  if (!greyed) return pm;
  // The disabled look: the same picture in light grey, so the outline stays readable.
  QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const int g = 150 + qGray(line[x]) * 90 / 255;
      line[x] = qRgba(g, g, g, qAlpha(line[x]) * 3 / 4);
    }
  }
  return QPixmap::fromImage(img);
}

}  // namespace

QIcon ToolbarIcon(int command, int size) {
  QIcon icon;
  icon.addPixmap(Render(command, size, false), QIcon::Normal);
  icon.addPixmap(Render(command, size, true), QIcon::Disabled);
  return icon;
}

}  // namespace glimmora
