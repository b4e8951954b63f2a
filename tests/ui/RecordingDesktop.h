#pragma once

// A desktop that answers the window's dialogs at once and keeps what they would have shown.

#include <QString>
#include <QStringList>

#include "ui/Desktop.h"

namespace test {

class RecordingDesktop final : public ui::Desktop {
 public:
  void ShowMessage(QWidget*, const QString& message) override { messages.append(message); }
  QString ChooseSaveFile(QWidget*, const ui::SaveDialogTexts& texts) override {
    dialogs.append(texts.title);
    lastDialog = texts;
    return nextSaveFile;
  }

  QStringList messages;
  QStringList dialogs;
  ui::SaveDialogTexts lastDialog;
  QString nextSaveFile;  // empty: the user cancels
};

}  // namespace test
