#pragma once

// The window's controls as the settings store reads and writes them.

#include "settings/SettingsStore.h"
#include "settings/TextControl.h"

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;

namespace ui {

class ButtonSetting final : public settings::CheckControl {
 public:
  explicit ButtonSetting(QAbstractButton& button) : m_button(button) {}
  text::Text Caption() const override;
  bool Checked() const override;
  void SetChecked(bool checked) override;

 private:
  QAbstractButton& m_button;
};

class LineSetting final : public settings::TextControl {
 public:
  explicit LineSetting(QLineEdit& box) : m_box(box) {}
  text::Text Content() const override;
  void SetContent(text::TextView content) override;

 private:
  QLineEdit& m_box;
};

class LinesSetting final : public settings::TextControl {
 public:
  explicit LinesSetting(QPlainTextEdit& box) : m_box(box) {}
  text::Text Content() const override;
  void SetContent(text::TextView content) override;

 private:
  QPlainTextEdit& m_box;
};

}  // namespace ui
