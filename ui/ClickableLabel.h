#pragma once

#include <QLabel>

namespace ui {

// A picture button or a link caption: a label that tells when the left button goes down on it
// and when a full left click ends on it.
class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(QWidget* parent);

 signals:
  void leftPressed();
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool m_leftDown = false;
};

}  // namespace ui
