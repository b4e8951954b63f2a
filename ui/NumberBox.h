#pragma once

#include <QLineEdit>

class QToolButton;

namespace ui {

// An edit box for a number with an up-down spinner at its right edge. The box takes any text
// ("尾页" is a default); the spinner and the Up and Down keys step the number the text starts
// with (0 for a text that starts with none) by one, within 0 to 10000.
class NumberBox : public QLineEdit {
 public:
  static constexpr int kMinimum = 0;
  static constexpr int kMaximum = 10000;

  explicit NumberBox(QWidget* parent);

  void StepBy(int steps);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* m_up;
  QToolButton* m_down;
};

}  // namespace ui
