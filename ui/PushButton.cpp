#include "ui/PushButton.h"

#include <QMouseEvent>

namespace ui {

void PushButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit rightPressed();
  QPushButton::mousePressEvent(event);
}

}  // namespace ui
