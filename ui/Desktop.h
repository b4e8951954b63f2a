#pragma once

// What the window asks of the desktop and waits for: a message the user reads and dismisses, and
// a file name for a save. Tests put their own answers in its place, so nothing blocks them.

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// The texts of the dialog that asks where to save the collected lines.
struct SaveDialogTexts {
  QString title;
  QStringList filters;    // "文本文件 (*.txt)" and the like, the first one selected
  QString defaultSuffix;  // added to a name typed without one
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Shows `message` under the title "信息：" with one OK button, modal to the application, and
  // returns once the user has closed it.
  virtual void ShowMessage(QWidget* parent, const QString& message) = 0;
  // The full name of the file the user chose; empty when the dialog was cancelled.
  virtual QString ChooseSaveFile(QWidget* parent, const SaveDialogTexts& texts) = 0;
};

// The real thing: QMessageBox and QFileDialog.
class QtDesktop final : public Desktop {
 public:
  void ShowMessage(QWidget* parent, const QString& message) override;
  QString ChooseSaveFile(QWidget* parent, const SaveDialogTexts& texts) override;
};

// The title of every message the window shows.
QString MessageTitle();

}  // namespace ui
