#include "ui/qt/artwork.h"

#include <QPainter>
#include <QPainterPath>

QImage padlockImage(int size) {
  QImage pm(size, size, QImage::Format_ARGB32_Premultiplied);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size / 32.0;
  // Shackle, swung open to the right.
  p.setPen(QPen(QColor(128, 128, 128), 3.2 * s, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(14 * s, 2 * s, 13 * s, 16 * s), 0, 180 * 16);
  p.drawLine(QPointF(27 * s, 10 * s), QPointF(27 * s, 14 * s));
  // Body.
  p.setPen(QPen(QColor(128, 96, 0), 1.2 * s));
  p.setBrush(QColor(255, 200, 0));
  p.drawRoundedRect(QRectF(3 * s, 14 * s, 22 * s, 16 * s), 2 * s, 2 * s);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(14 * s, 21 * s), 2 * s, 2 * s);
  p.drawRect(QRectF(13.2 * s, 21 * s, 1.6 * s, 5 * s));
  return pm;
}

QIcon padlockIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(padlockImage(32)));
  icon.addPixmap(QPixmap::fromImage(padlockImage(16)));
  return icon;
}

QPixmap logoPixmap() {
  QPixmap pm(49, 47);
  pm.fill(Qt::transparent);  // the transparent colour
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 0, 160), 2));
  p.setBrush(QColor(220, 230, 255));
  p.drawEllipse(QRectF(2, 2, 45, 43));
  // A play arrow over a disk: a backup that starts itself.
  QPainterPath arrow;
  arrow.moveTo(19, 13);
  arrow.lineTo(35, 23.5);
  arrow.lineTo(19, 34);
  arrow.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 128, 0));
  p.drawPath(arrow);
  return pm;
}
