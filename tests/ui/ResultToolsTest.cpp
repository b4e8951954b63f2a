// The four result buttons on the window's boxes.

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "RecordingDesktop.h"
#include "browser/EngineSetup.h"
#include "settings/SettingsStore.h"
#include "support/TestBrowserProfile.h"
#include "support/TestText.h"
#include "ui/ControlNames.h"
#include "ui/MainWindow.h"
#include "ui/WidgetText.h"

namespace {

namespace names = ui::names;

}  // namespace

class ResultToolsTest : public QObject {
  Q_OBJECT

 private:
  QPlainTextEdit* Box(const char* name) {
    return m_window->findChild<QPlainTextEdit*>(QString::fromUtf8(name));
  }
  void Press(const char* name) {
    m_window->findChild<QPushButton*>(QString::fromUtf8(name))->click();
  }
  void SetOutput(const std::string& utf8WithCrLf) {
    Box(names::kOutput)->setPlainText(ui::PlainLines(test::Gbk(utf8WithCrLf)));
  }
  std::string Output() { return test::Utf8(ui::LocalLines(Box(names::kOutput)->toPlainText())); }

  test::TempDir m_folder;
  test::TestBrowserProfile m_browser;
  settings::SettingsStore m_store;
  test::RecordingDesktop m_desktop;
  std::unique_ptr<ui::MainWindow> m_window;

 public:
  static void initMain() { browser::PrepareBrowserEngine(); }

 private slots:
  void init() {
    m_desktop = test::RecordingDesktop();
    m_window = std::make_unique<ui::MainWindow>(m_store, m_desktop, m_browser.profile());
  }
  void cleanup() { m_window.reset(); }

  void removeDuplicateLines_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("last of each stays") << "a\r\nb\r\na\r\nc\r\n"
                                        << "b\r\na\r\nc";
    QTest::newRow("single line keeps its break") << "a\r\n"
                                                 << "a\r\n";
    QTest::newRow("empty box") << ""
                               << "";
    QTest::newRow("empty lines count") << "\r\na\r\n\r\nb\r\n\r\n"
                                       << "a\r\nb\r\n";
    QTest::newRow("letter case counts") << "Ab\r\nab\r\nAb\r\n"
                                        << "ab\r\nAb";
    QTest::newRow("double-byte lines") << "@张三,1\r\n@李四,2\r\n@张三,1"
                                       << "@李四,2\r\n@张三,1";
    QTest::newRow("no final break") << "x\r\ny"
                                    << "x\r\ny";
  }
  void removeDuplicateLines() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    SetOutput(before.toStdString());
    Press(names::kDedupeButton);
    QCOMPARE(QString::fromStdString(Output()), after);
  }

  // 100 000 lines, half of them repeats, go through the box and back in one piece.
  void removeDuplicateLinesOnALargeOutput() {
    std::string lines;
    for (int i = 0; i < 100000; ++i) {
      lines += "@user" + std::to_string(i % 50000) + ",1\r\n";
    }
    SetOutput(lines);
    Press(names::kDedupeButton);
    const std::string result = Output();
    QCOMPARE(std::count(result.begin(), result.end(), '\n'), 49999);
    QVERIFY(result.starts_with("@user0,1\r\n@user1,1\r\n"));
    QVERIFY(result.ends_with("@user49999,1"));
  }

  void copyAndPasteThroughTheClipboard() {
    // A character outside GBK survives the way into local text and back.
    Box(names::kOutput)->setPlainText(QStringLiteral("@𠀀,2\n@张三,1\n@𠀀,2\n"));
    Press(names::kDedupeButton);
    Press(names::kCopyButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("@张三,1\n@𠀀,2"));

    QGuiApplication::clipboard()->setText(QStringLiteral("http://a/1/B\r\nhttp://a/1/C"));
    Press(names::kPasteButton);
    QCOMPARE(Box(names::kAddressList)->toPlainText(), QStringLiteral("http://a/1/B\nhttp://a/1/C"));
    QGuiApplication::clipboard()->clear();
    Press(names::kPasteButton);
    QCOMPARE(Box(names::kAddressList)->toPlainText(), QString());
  }

  void saveAs_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lineTemplate");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("file");
    const QString lines = QStringLiteral("@张三,1\r\n@李四,2\r\n");
    QTest::newRow(".csv") << "result.csv"
                          << "@#昵称#,#ID#" << lines << "昵称,ID\r\n@张三,1\r\n@李四,2\r\n";
    QTest::newRow(".CSV") << "result.CSV"
                          << "@#昵称#,#ID#" << lines << "昵称,ID\r\n@张三,1\r\n@李四,2\r\n";
    QTest::newRow(".txt") << "result.txt"
                          << "@#昵称#,#ID#" << lines << lines;
    QTest::newRow("other extension") << "result.csv.bak"
                                     << "@#昵称#" << lines << lines;
    QTest::newRow("empty template") << "empty.csv"
                                    << "" << lines << "\r\n@张三,1\r\n@李四,2\r\n";
    QTest::newRow("empty output") << "empty.txt"
                                  << "@#昵称#"
                                  << ""
                                  << "";
  }
  // The file holds the GBK bytes with CR LF, no byte-order mark, header first for ".csv".
  void saveAs() {
    QFETCH(QString, name);
    QFETCH(QString, lineTemplate);
    QFETCH(QString, output);
    QFETCH(QString, file);
    const std::filesystem::path path = m_folder.path() / name.toStdString();
    m_desktop.nextSaveFile = QString::fromStdString(path.string());
    m_window->findChild<QLineEdit*>(QString::fromUtf8(names::kLineTemplate))->setText(lineTemplate);
    SetOutput(output.toStdString());
    Press(names::kSaveAsButton);
    QCOMPARE(m_desktop.lastDialog.title, QStringLiteral("将采集的结果保存到文件"));
    QCOMPARE(m_desktop.lastDialog.filters,
             (QStringList{QStringLiteral("文本文件 (*.txt)"), QStringLiteral("CSV文件 (*.csv)"),
                          QStringLiteral("全部文件 (*.*)")}));
    QCOMPARE(m_desktop.lastDialog.defaultSuffix, QStringLiteral("csv"));
    QCOMPARE(test::FileContent(path), test::Gbk(file.toStdString()));
    QCOMPARE(m_desktop.messages, QStringList{QStringLiteral("已保存：") + m_desktop.nextSaveFile});
  }

  void saveAsCancelledOrFailing() {
    SetOutput("a\r\n");
    Press(names::kSaveAsButton);  // cancelled: no file, no message
    QVERIFY(m_desktop.messages.isEmpty());

    m_desktop.nextSaveFile =
        QString::fromStdString((m_folder.path() / "missing" / "x.txt").string());
    Press(names::kSaveAsButton);
    QCOMPARE(m_desktop.messages.size(), 1);
    QVERIFY(
        m_desktop.messages[0].startsWith(QStringLiteral("未能保存：") + m_desktop.nextSaveFile));
    QVERIFY(!std::filesystem::exists(m_folder.path() / "missing"));
  }
};

QTEST_MAIN(ResultToolsTest)
#include "ResultToolsTest.moc"
