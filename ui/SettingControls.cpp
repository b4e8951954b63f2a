#include "ui/SettingControls.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/WidgetText.h"

namespace ui {

text::Text ButtonSetting::Caption() const {
  return LocalFromQString(m_button.text());
}

bool ButtonSetting::Checked() const {
  return m_button.isChecked();
}

void ButtonSetting::SetChecked(bool checked) {
  m_button.setChecked(checked);
}

text::Text LineSetting::Content() const {
  return LocalFromQString(m_box.text());
}

void LineSetting::SetContent(text::TextView content) {
  m_box.setText(QStringFromLocal(content));
}

text::Text LinesSetting::Content() const {
  return LocalLines(m_box.toPlainText());
}

void LinesSetting::SetContent(text::TextView content) {
  m_box.setPlainText(PlainLines(content));
}

}  // namespace ui
