#pragma once

// The window's controls, made from the layout table and found by their design names.

#include <QHash>
#include <QString>
#include <QWidget>

namespace ui {

class ControlSet {
 public:
  // Makes every control of the table inside `window`, with its design geometry, font, caption
  // and state.
  explicit ControlSet(QWidget& window);

  QWidget* Find(const char* name) const { return m_controls.value(QString::fromUtf8(name)); }
  // The control named `name`, of the kind the table made it; never null for a name of the
  // table used with its kind.
  template <typename Control>
  Control* Get(const char* name) const {
    return static_cast<Control*>(Find(name));
  }

 private:
  QHash<QString, QWidget*> m_controls;
};

}  // namespace ui
