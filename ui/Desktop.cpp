#include "ui/Desktop.h"

#include <QFileDialog>
#include <QMessageBox>

namespace ui {

QString MessageTitle() {
  return QStringLiteral("信息：");
}

void QtDesktop::ShowMessage(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::NoIcon, MessageTitle(), message, QMessageBox::Ok, parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

QString QtDesktop::ChooseSaveFile(QWidget* parent, const SaveDialogTexts& texts) {
  QFileDialog dialog(parent, texts.title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(texts.filters);
  dialog.setDefaultSuffix(texts.defaultSuffix);
  dialog.setWindowModality(Qt::ApplicationModal);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace ui
