#pragma once

#include <QPushButton>

namespace ui {

// A push button that also tells when the right button goes down on it.
class PushButton : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;

 signals:
  void rightPressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace ui
