// A collection started with the window's start button against the simulator: lines arrive in the
// output box while the window keeps handling events, and a second press stops the run.

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "RecordingDesktop.h"
#include "browser/EngineSetup.h"
#include "settings/SettingsStore.h"
#include "support/SimProcess.h"
#include "support/TestBrowserProfile.h"
#include "support/TestText.h"
#include "ui/ControlNames.h"
#include "ui/ControlTable.h"
#include "ui/MainWindow.h"
#include "ui/PageControl.h"
#include "ui/WidgetText.h"

namespace {

namespace names = ui::names;

}  // namespace

class CollectionWindowTest : public QObject {
  Q_OBJECT

 private:
  // A window on a simulator of 2 posts x `pages` pages x 3 users, delays 0, at the collection
  // page, with the simulator's post addresses in the address box.
  struct Setup {
    explicit Setup(const std::vector<std::string>& simOptions)
        : sim([&] {
            std::vector<std::string> options{
                "--seed",  "9", "--posts",    "2",
                "--users", "3", "--fixtures", fixtures.path().string()};
            options.insert(options.end(), simOptions.begin(), simOptions.end());
            return options;
          }()),
          window(store, desktop, browser.profile(), QString::fromStdString(sim.serviceHost())) {
      store.SetFile(fixtures.path() / "tervane.ini");
      Box(names::kDelay1)->setText(QStringLiteral("0"));
      Box(names::kDelay2)->setText(QStringLiteral("0"));
      window.findChild<QPlainTextEdit*>(QString::fromUtf8(names::kAddressList))
          ->setPlainText(ui::PlainLines(test::FileContent(fixtures.path() / "addresses.txt")));
      window.findChild<ui::PageControl*>(QString::fromUtf8(names::kPageControl))
          ->SetCurrentPage(ui::kCollectionPage);
      window.show();
    }
    QLineEdit* Box(const char* name) {
      return window.findChild<QLineEdit*>(QString::fromUtf8(name));
    }
    QPushButton* StartButton() {
      return window.findChild<QPushButton*>(QString::fromUtf8(names::kStartButton));
    }
    text::Text Output() {
      return ui::LocalLines(
          window.findChild<QPlainTextEdit*>(QString::fromUtf8(names::kOutput))->toPlainText());
    }
    std::string Expected() {
      return test::FileContent(fixtures.path() / "expected-comment-date.txt");
    }

    test::TempDir fixtures;
    test::SimProcess sim;
    settings::SettingsStore store;
    test::RecordingDesktop desktop;
    test::TestBrowserProfile browser;
    ui::MainWindow window;
  };

 public:
  static void initMain() { browser::PrepareBrowserEngine(); }

 private slots:
  void startButtonCollectsEveryPageLive() {
    Setup setup({"--pages", "4", "--fault", "delay=30@listing"});
    QVERIFY(setup.sim.running());
    // While the run is under way, the window's events keep running: this timer sees the output
    // grow page by page and the captions tell the progress.
    QList<int> sizesSeen;
    QStringList captionsSeen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      const int size = static_cast<int>(setup.Output().size());
      if (sizesSeen.isEmpty() || sizesSeen.last() != size) sizesSeen.append(size);
      captionsSeen.append(
          setup.window.findChild<QGroupBox*>(QString::fromUtf8(names::kOutputGroup))->title());
    });
    watch.start(5);
    QTest::mouseClick(setup.StartButton(), Qt::LeftButton);  // returns when the run has ended
    watch.stop();

    QCOMPARE(setup.Output(), setup.Expected());
    QCOMPARE(setup.desktop.messages, QStringList{QStringLiteral("采集完成！")});
    QCOMPARE(setup.StartButton()->text(), QStringLiteral("开始采集"));
    QVERIFY2(sizesSeen.size() >= 4, qPrintable(QString::number(sizesSeen.size())));
    QVERIFY(captionsSeen.contains(QStringLiteral("输出结果 - 总 4 页，当前第 3 页，实际已采 3")));
    // The view followed the lines to the end.
    const QScrollBar* scroll =
        setup.window.findChild<QPlainTextEdit*>(QString::fromUtf8(names::kOutput))
            ->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    QTRY_COMPARE(scroll->value(), scroll->maximum());
  }

  void secondPressStopsAfterThePageUnderWork() {
    Setup setup({"--pages", "6", "--fault", "delay=150@listing"});
    QVERIFY(setup.sim.running());
    QStringList startCaptions;
    QTimer press;
    press.setSingleShot(true);
    QObject::connect(&press, &QTimer::timeout, [&] {
      startCaptions.append(setup.StartButton()->text());
      setup.StartButton()->click();  // nested inside the run
      startCaptions.append(setup.StartButton()->text());
    });
    QTimer pressWhenLinesArrive;
    QObject::connect(&pressWhenLinesArrive, &QTimer::timeout, [&] {
      if (!setup.Output().empty() && !press.isActive() && startCaptions.isEmpty()) press.start(0);
    });
    pressWhenLinesArrive.start(5);
    QTest::mouseClick(setup.StartButton(), Qt::LeftButton);
    pressWhenLinesArrive.stop();

    QCOMPARE(startCaptions, (QStringList{QStringLiteral("停止采集"), QStringLiteral("停止中..")}));
    QCOMPARE(setup.StartButton()->text(), QStringLiteral("开始采集"));
    QCOMPARE(setup.desktop.messages, QStringList{QStringLiteral("采集完成！")});
    const text::Text output = setup.Output();
    const std::string expected = setup.Expected();
    QVERIFY(!output.empty());
    QVERIFY(output.size() < expected.size() / 2);  // the second post was never started
    QVERIFY(expected.starts_with(output));
    // Whole pages only: 3 lines each.
    const auto lines = std::count(output.begin(), output.end(), '\n');
    QCOMPARE(lines % 3, 0);
  }

  // Closing the window during a run saves the settings and stops the run after its page,
  // without a completion message for a window that is gone.
  void closingTheWindowStopsTheRun() {
    Setup setup({"--pages", "6", "--fault", "delay=150@listing"});
    QVERIFY(setup.sim.running());
    QTimer closeWhenLinesArrive;
    QObject::connect(&closeWhenLinesArrive, &QTimer::timeout, [&] {
      if (!setup.Output().empty() && setup.window.isVisible()) setup.window.close();
    });
    closeWhenLinesArrive.start(5);
    QTest::mouseClick(setup.StartButton(), Qt::LeftButton);
    closeWhenLinesArrive.stop();

    QVERIFY(!setup.window.isVisible());
    QVERIFY(!setup.window.collection().running());
    QVERIFY(setup.desktop.messages.isEmpty());
    QVERIFY(setup.Output().size() < setup.Expected().size() / 2);
    QVERIFY(std::filesystem::exists(setup.store.file()));
  }
};

QTEST_MAIN(CollectionWindowTest)
#include "CollectionWindowTest.moc"
