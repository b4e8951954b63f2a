#include "ui/WidgetPanel.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include "ui/ControlNames.h"
#include "ui/ControlSet.h"
#include "ui/Desktop.h"
#include "ui/WidgetText.h"

namespace ui {

WidgetPanel::WidgetPanel(const ControlSet& controls, Desktop& desktop, QWidget& window)
    : m_controls(controls), m_desktop(desktop), m_window(window) {
  m_followEnd.setSingleShot(true);
  m_followEnd.setInterval(0);
  QObject::connect(&m_followEnd, &QTimer::timeout, [this] {
    QScrollBar* scroll = m_controls.Get<QPlainTextEdit>(names::kOutput)->verticalScrollBar();
    scroll->setValue(scroll->maximum());
  });
}

text::Text WidgetPanel::BoxText(const char* name) const {
  return LocalFromQString(m_controls.Get<QLineEdit>(name)->text());
}

bool WidgetPanel::IsChecked(const char* name) const {
  return m_controls.Get<QAbstractButton>(name)->isChecked();
}

text::Text WidgetPanel::AddressList() const {
  return LocalLines(m_controls.Get<QPlainTextEdit>(names::kAddressList)->toPlainText());
}

text::Text WidgetPanel::LineTemplate() const {
  return BoxText(names::kLineTemplate);
}

text::Text WidgetPanel::StartPage() const {
  return BoxText(names::kStartPage);
}

text::Text WidgetPanel::EndPage() const {
  return BoxText(names::kEndPage);
}

text::Text WidgetPanel::Delay1() const {
  return BoxText(names::kDelay1);
}

text::Text WidgetPanel::Delay2() const {
  return BoxText(names::kDelay2);
}

bool WidgetPanel::RepostSelected() const {
  return IsChecked(names::kRepostRadio);
}

bool WidgetPanel::LikeSelected() const {
  return IsChecked(names::kLikeRadio);
}

bool WidgetPanel::DateOnly() const {
  return IsChecked(names::kDateOnlyBox);
}

text::Text WidgetPanel::StartButtonCaption() const {
  return LocalFromQString(m_controls.Get<QAbstractButton>(names::kStartButton)->text());
}

void WidgetPanel::SetStartButtonCaption(text::TextView caption) {
  m_controls.Get<QAbstractButton>(names::kStartButton)->setText(QStringFromLocal(caption));
}

void WidgetPanel::SetCollectGroupCaption(text::TextView caption) {
  m_controls.Get<QGroupBox>(names::kCollectGroup)->setTitle(QStringFromLocal(caption));
}

void WidgetPanel::SetOutputGroupCaption(text::TextView caption) {
  m_controls.Get<QGroupBox>(names::kOutputGroup)->setTitle(QStringFromLocal(caption));
}

void WidgetPanel::ClearOutput() {
  m_controls.Get<QPlainTextEdit>(names::kOutput)->clear();
}

void WidgetPanel::AppendOutput(text::TextView lines) {
  auto* output = m_controls.Get<QPlainTextEdit>(names::kOutput);
  const QScrollBar* scroll = output->verticalScrollBar();
  const bool followEnd = m_followEnd.isActive() || scroll->value() == scroll->maximum();
  QTextCursor end(output->document());
  end.movePosition(QTextCursor::End);
  end.insertText(PlainLines(lines));
  // The box lays the new lines out and extends its scroll range only once events run, so the
  // view is moved to the end then.
  if (followEnd) m_followEnd.start();
}

void WidgetPanel::ShowMessage(text::TextView message) {
  // A run that ends after its window was closed has nobody left to tell.
  if (!m_window.isVisible()) return;
  m_desktop.ShowMessage(&m_window, QStringFromLocal(message));
}

}  // namespace ui
