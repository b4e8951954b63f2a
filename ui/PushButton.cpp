#include "ui/PushButton.h"

#include <QMouseEvent>

namespace ui {

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void PushButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit rightPressed();
  QPushButton::mousePressEvent(event);
}

}  // namespace ui
