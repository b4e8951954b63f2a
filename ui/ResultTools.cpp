#include "ui/ResultTools.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <filesystem>
#include <string>
#include <string_view>

#include "collector/ResultLines.h"
#include "platform/FileReplacement.h"
#include "ui/ControlNames.h"
#include "ui/ControlSet.h"
#include "ui/Desktop.h"
#include "ui/WidgetText.h"

namespace ui {

ResultTools::ResultTools(const ControlSet& controls, Desktop& desktop, QWidget& window)
    : m_controls(controls), m_desktop(desktop), m_window(window) {}

void ResultTools::RemoveDuplicateLines() {
  auto* output = m_controls.Get<QPlainTextEdit>(names::kOutput);
  const text::Text before = LocalLines(output->toPlainText());
  text::Text lines = before;
  collector::RemoveDuplicateLines(lines);
  if (lines != before) output->setPlainText(PlainLines(lines));
}

void ResultTools::CopyOutput() {
  QGuiApplication::clipboard()->setText(
      m_controls.Get<QPlainTextEdit>(names::kOutput)->toPlainText());
}

void ResultTools::PasteAddresses() {
  m_controls.Get<QPlainTextEdit>(names::kAddressList)
      ->setPlainText(PlainLines(QGuiApplication::clipboard()->text()));
}

void ResultTools::SaveOutputAs() {
  const SaveDialogTexts texts{QStringLiteral("将采集的结果保存到文件"),
                              {QStringLiteral("文本文件 (*.txt)"),
                               QStringLiteral("CSV文件 (*.csv)"), QStringLiteral("全部文件 (*.*)")},
                              QStringLiteral("csv")};
  const QString name = m_desktop.ChooseSaveFile(&m_window, texts);
  if (name.isEmpty()) return;

  const std::filesystem::path path(QFile::encodeName(name).toStdString());
  const text::Text header = collector::IsCsvFileName(path.native())
                                ? collector::CsvHeaderLine(LocalFromQString(
                                      m_controls.Get<QLineEdit>(names::kLineTemplate)->text())) +
                                      "\r\n"
                                : text::Text();
  const text::Text lines =
      LocalLines(m_controls.Get<QPlainTextEdit>(names::kOutput)->toPlainText());
  const std::string_view parts[] = {header, lines};
  std::string error;
  if (platform::ReplaceFile(path, parts, error)) {
    m_desktop.ShowMessage(&m_window, QStringLiteral("已保存：") + name);
  } else {
    m_desktop.ShowMessage(
        &m_window,
        QStringLiteral("未能保存：%1\n%2").arg(name, QString::fromLocal8Bit(error.c_str())));
  }
}

}  // namespace ui
