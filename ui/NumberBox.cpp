#include "ui/NumberBox.h"

#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>
#include <limits>

#include "text/Conversions.h"
#include "ui/WidgetText.h"

namespace ui {
namespace {

constexpr int kSpinnerWidth = 14;

QToolButton* SpinnerButton(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setCursor(Qt::ArrowCursor);
  return button;
}

}  // namespace

NumberBox::NumberBox(QWidget* parent)
    : QLineEdit(parent),
      m_up(SpinnerButton(this, Qt::UpArrow)),
      m_down(SpinnerButton(this, Qt::DownArrow)) {
  setAlignment(Qt::AlignCenter);
  setMaxLength(std::numeric_limits<int>::max());
  setTextMargins(0, 0, kSpinnerWidth, 0);
  connect(m_up, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(m_down, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void NumberBox::StepBy(int steps) {
  const long long current = text::ToInteger(LocalFromQString(text()));
  const long long stepped = std::clamp<long long>(current + steps, kMinimum, kMaximum);
  setText(QString::number(stepped));
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) return StepBy(1);
  if (event->key() == Qt::Key_Down) return StepBy(-1);
  QLineEdit::keyPressEvent(event);
}

void NumberBox::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  const int half = height() / 2;
  m_up->setGeometry(width() - kSpinnerWidth - 1, 1, kSpinnerWidth, half - 1);
  m_down->setGeometry(width() - kSpinnerWidth - 1, half, kSpinnerWidth, height() - half - 1);
}

}  // namespace ui
