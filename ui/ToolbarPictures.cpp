#include "ui/ToolbarPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace ui {
namespace {

const QColor kInk(0x2B, 0x6C, 0xB0);
const QColor kAccent(0xF0, 0x8A, 0x24);

void DrawHelp(QPainter& p) {
  p.setBrush(kInk);
  p.drawEllipse(QRectF(10, 8, 44, 44));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(32);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(10, 8, 44, 44), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawSave(QPainter& p) {
  p.setBrush(kInk);
  p.drawRoundedRect(QRectF(12, 8, 40, 44), 4, 4);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(20, 8, 24, 14));   // shutter
  p.drawRect(QRectF(18, 30, 28, 18));  // label
  p.setBrush(kInk);
  p.drawRect(QRectF(36, 10, 5, 10));
}

void DrawHome(QPainter& p) {
  p.setBrush(kAccent);
  p.drawPolygon(QPolygonF({QPointF(32, 6), QPointF(58, 30), QPointF(6, 30)}));
  p.setBrush(kInk);
  p.drawRect(QRectF(14, 30, 36, 24));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(28, 38, 9, 16));
}

void DrawContact(QPainter& p) {
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(6, 8, 52, 34), 10, 10);
  bubble.moveTo(18, 40);
  bubble.lineTo(14, 54);
  bubble.lineTo(30, 41);
  p.setBrush(kInk);
  p.drawPath(bubble.simplified());
  p.setBrush(Qt::white);
  for (int i = 0; i < 3; ++i) {
    p.drawEllipse(QRectF(18 + 11 * i, 22, 6, 6));
  }
}

void DrawMoreSoftware(QPainter& p) {
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) {
      p.setBrush(row == column ? kInk : kAccent);
      p.drawRoundedRect(QRectF(10 + 24 * column, 8 + 24 * row, 20, 20), 4, 4);
    }
  }
}

void DrawLogo(QPainter& p) {
  p.setBrush(kAccent);
  p.drawEllipse(QRectF(4, 14, 36, 36));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(14, 24, 16, 16));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(21);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(44, 0, 101, 64), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Tervane"));
}

}  // namespace

QPixmap DrawToolbarPicture(ToolbarPicture picture) {
  QPixmap pixmap(picture == ToolbarPicture::kLogo ? QSize(145, 64) : QSize(64, 64));
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  switch (picture) {
    case ToolbarPicture::kHelp:
      DrawHelp(p);
      break;
    case ToolbarPicture::kSave:
      DrawSave(p);
      break;
    case ToolbarPicture::kHome:
      DrawHome(p);
      break;
    case ToolbarPicture::kContact:
      DrawContact(p);
      break;
    case ToolbarPicture::kMoreSoftware:
      DrawMoreSoftware(p);
      break;
    case ToolbarPicture::kLogo:
      DrawLogo(p);
      break;
  }
  return pixmap;
}

}  // namespace ui
