#include "ui/ClickableLabel.h"

#include <QMouseEvent>

namespace ui {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
  m_leftDown = true;
  emit leftPressed();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mouseReleaseEvent(event);
  const bool wasDown = m_leftDown;
  m_leftDown = false;
  if (wasDown && rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace ui
