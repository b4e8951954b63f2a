// The window's controls, layout, settings binding, help and links.

#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "RecordingDesktop.h"
#include "browser/EngineSetup.h"
#include "settings/SettingsStore.h"
#include "support/TestBrowserProfile.h"
#include "support/TestText.h"
#include "ui/ClickableLabel.h"
#include "ui/ControlNames.h"
#include "ui/ControlTable.h"
#include "ui/MainWindow.h"
#include "ui/NumberBox.h"
#include "ui/PageControl.h"

namespace {

namespace names = ui::names;

// Records the addresses the window asks the desktop to open.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened.append(url); }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  template <typename Control>
  Control* Get(ui::MainWindow& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromUtf8(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }

  test::TempDir m_folder;
  test::TestBrowserProfile m_browser;
  std::unique_ptr<settings::SettingsStore> m_store;
  std::unique_ptr<test::RecordingDesktop> m_desktop;
  std::unique_ptr<ui::MainWindow> m_window;

 public:
  static void initMain() { browser::PrepareBrowserEngine(); }

 private slots:
  void init() {
    m_store = std::make_unique<settings::SettingsStore>();
    m_store->SetFile(m_folder.path() / "tervane.ini");
    std::filesystem::remove(m_store->file());
    m_desktop = std::make_unique<test::RecordingDesktop>();
    m_window = std::make_unique<ui::MainWindow>(*m_store, *m_desktop, m_browser.profile(),
                                                QStringLiteral("127.0.0.1:8080"));
  }
  void cleanup() {
    m_window.reset();
    m_desktop.reset();
  }

  void everyControlOfTheTable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("fontPixels");
    for (const ui::ControlEntry& entry : ui::ControlTable()) {
      QTest::newRow(entry.name) << QString::fromUtf8(entry.name) << entry.geometry
                                << QString::fromUtf8(entry.caption ? entry.caption : "")
                                << entry.fontPixels;
    }
  }
  // Before the window is shown, every control has its design place, font and caption.
  void everyControlOfTheTable() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(int, fontPixels);
    auto* control = m_window->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->font().family(), QStringLiteral("宋体"));
    QCOMPARE(control->font().pixelSize(), fontPixels);
    QString shown;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) shown = button->text();
    if (auto* label = qobject_cast<QLabel*>(control)) shown = label->text();
    if (auto* box = qobject_cast<QLineEdit*>(control)) shown = box->text();
    if (auto* group = qobject_cast<QGroupBox*>(control)) shown = group->title();
    if (!caption.isEmpty()) QCOMPARE(shown, caption);  // the others are checked below
  }

  void windowAndDefaults() {
    ui::MainWindow& w = *m_window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Tervane v1.21"));
    QCOMPARE(w.size(), QSize(746, 576));
    QVERIFY(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(w.minimumSize(), w.maximumSize());  // the frame cannot be dragged

    auto* pages = Get<ui::PageControl>(w, names::kPageControl);
    QCOMPARE(pages->pageCount(), 2);
    QCOMPARE(pages->pageTitle(0), QStringLiteral("浏览器 - 请先登录你的新浪微博"));
    QCOMPARE(pages->pageTitle(1), QStringLiteral("========采集面板======="));
    QCOMPARE(pages->currentPage(), ui::kBrowserPage);
    QCOMPARE(Get<QLineEdit>(w, names::kBrowserAddress)->text(),
             QStringLiteral("http://127.0.0.1:8080"));
    QCOMPARE(Get<QPlainTextEdit>(w, names::kAddressList)->toPlainText(),
             QStringLiteral("http://127.0.0.1:8080/2803301701/Kx3vB7pQm\n"
                            "http://127.0.0.1:8080/2803301701/L2aZ9yTnR"));
    QVERIFY(Get<QRadioButton>(w, names::kCommentRadio)->isChecked());
    QVERIFY(!Get<QRadioButton>(w, names::kRepostRadio)->isChecked());
    QVERIFY(!Get<QRadioButton>(w, names::kLikeRadio)->isChecked());
    QVERIFY(Get<QCheckBox>(w, names::kDateOnlyBox)->isChecked());
    QCOMPARE(Get<QPlainTextEdit>(w, names::kOutput)->toPlainText(), QString());
    for (const char* name : {names::kStartPage, names::kEndPage, names::kDelay1, names::kDelay2}) {
      QCOMPARE(Get<QLineEdit>(w, name)->alignment(), Qt::AlignCenter);
    }
    // Pictures are drawn, 64 x 64 and the 145 x 64 logo.
    QCOMPARE(Get<QLabel>(w, names::kSavePicture)->pixmap().size(), QSize(64, 64));
    QCOMPARE(Get<QLabel>(w, names::kLogoPicture)->pixmap().size(), QSize(145, 64));
  }

  void pageControlShowsOnePageAtATime() {
    ui::MainWindow& w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(Get<QWidget>(w, names::kVisitButton)->isVisible());
    QVERIFY(!Get<QWidget>(w, names::kCollectGroup)->isVisible());
    Get<ui::PageControl>(w, names::kPageControl)->SetCurrentPage(ui::kCollectionPage);
    QVERIFY(!Get<QWidget>(w, names::kBrowser)->isVisible());
    QVERIFY(Get<QWidget>(w, names::kStartButton)->isVisible());
  }

  void numberBoxesStepWithinTheirRangeAndTakeAnyText() {
    auto* end = Get<ui::NumberBox>(*m_window, names::kEndPage);
    QCOMPARE(end->text(), QStringLiteral("尾页"));
    end->StepBy(1);
    QCOMPARE(end->text(), QStringLiteral("1"));  // "尾页" reads as 0
    end->setText(QStringLiteral("9999"));
    end->StepBy(5);
    QCOMPARE(end->text(), QStringLiteral("10000"));
    end->setText(QStringLiteral("3x"));
    QTest::keyClick(end, Qt::Key_Down);
    QCOMPARE(end->text(), QStringLiteral("2"));
    end->setText(QStringLiteral("0"));
    QTest::keyClick(end, Qt::Key_Down);
    QCOMPARE(end->text(), QStringLiteral("0"));
    end->setText(QStringLiteral("尾页"));  // still any text
    QCOMPARE(end->text(), QStringLiteral("尾页"));
  }

  void radioButtonsFormOneGroup() {
    ui::MainWindow& w = *m_window;
    w.show();
    Get<ui::PageControl>(w, names::kPageControl)->SetCurrentPage(ui::kCollectionPage);
    auto* comment = Get<QRadioButton>(w, names::kCommentRadio);
    auto* like = Get<QRadioButton>(w, names::kLikeRadio);
    QTest::mouseClick(like, Qt::LeftButton);
    QVERIFY(like->isChecked());
    QVERIFY(!comment->isChecked());
    QTest::mouseClick(like, Qt::LeftButton);  // a second click keeps it selected
    QVERIFY(like->isChecked());
  }

  void resizeLayoutAtMaximiseAndRestore() {
    ui::MainWindow& w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* pages = Get<QWidget>(w, names::kPageControl);
    auto* address = Get<QWidget>(w, names::kBrowserAddress);
    auto* browser = Get<QWidget>(w, names::kBrowser);
    const auto checkRule = [&] {
      QCOMPARE(pages->geometry(), QRect(0, 96, w.width(), w.height() - 96));
      QCOMPARE(address->geometry(), QRect(80, 25, pages->width() - 80, 24));
      QCOMPARE(browser->geometry(), QRect(0, 49, pages->width(), pages->height() - 49));
    };
    checkRule();
    QCOMPARE(pages->size(), QSize(746, 480));  // the design size of the page control

    w.showMaximized();
    QTRY_VERIFY(w.isMaximized());
    QTRY_VERIFY(w.width() > 746 || w.height() > 576);
    checkRule();
    // Nothing else moves.
    QCOMPARE(Get<QWidget>(w, names::kVisitButton)->geometry(), QRect(0, 25, 80, 24));
    QCOMPARE(Get<QWidget>(w, names::kOutputGroup)->geometry(), QRect(352, 40, 376, 424));
    QCOMPARE(Get<QWidget>(w, names::kStripBackground)->geometry(), QRect(0, 0, 3000, 88));

    w.showNormal();
    QTRY_COMPARE(w.size(), QSize(746, 576));
    checkRule();
    QCOMPARE(w.minimumSize(), w.maximumSize());
  }

  // First activation loads the settings; every close saves them, also without a change.
  void settingsLoadOnFirstActivationAndSaveOnClose() {
    {
      std::ofstream file(m_store->file(), std::ios::binary);
      file << test::Gbk("[基本配置]\r\n转发区=真\r\n评论区=真\r\n微博地址=a┊*┊b┊*┊c\r\n延时1=\r\n");
    }
    ui::MainWindow& w = *m_window;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(Get<QPlainTextEdit>(w, names::kAddressList)->toPlainText(),
                 QStringLiteral("a\nb\nc"));
    QVERIFY(Get<QRadioButton>(w, names::kCommentRadio)->isChecked());
    QVERIFY(Get<QRadioButton>(w, names::kRepostRadio)->isChecked());  // two, as stored
    QCOMPARE(Get<QLineEdit>(w, names::kDelay1)->text(), QString());
    QCOMPARE(Get<QLineEdit>(w, names::kDelay2)->text(), QStringLiteral("50"));

    Get<QLineEdit>(w, names::kEndPage)->setText(QStringLiteral("7"));
    QVERIFY(w.close());
    QCOMPARE(test::Utf8(test::FileContent(m_store->file())),
             std::string("[基本配置]\r\n转发区=真\r\n评论区=真\r\n微博地址=a┊*┊b┊*┊c\r\n延时1=\r\n"
                         "赞区=假\r\n采集格式=@#昵称#,#ID#,#时间#,#地址#,#评论#\r\n延时2=50\r\n"
                         "开始页号=1\r\n结束页号=7\r\n"));
    QVERIFY(m_desktop->messages.isEmpty());
  }

  void saveLinkAndPictureConfirmOrSayWhy() {
    ui::MainWindow& w = *m_window;
    w.show();
    QTest::mousePress(Get<ui::ClickableLabel>(w, names::kSaveLink), Qt::LeftButton);
    QCOMPARE(m_desktop->messages, QStringList{QStringLiteral("保存完毕！")});
    QVERIFY(std::filesystem::exists(m_store->file()));

    // A regular file where the settings folder should be.
    std::ofstream(m_folder.path() / "plain") << "x";
    m_store->SetFile(m_folder.path() / "plain" / "tervane.ini");
    QTest::mouseClick(Get<ui::ClickableLabel>(w, names::kSavePicture), Qt::LeftButton);
    QCOMPARE(m_desktop->messages.size(), 2);
    QVERIFY(m_desktop->messages[1].startsWith(QStringLiteral("未能保存配置：")));
    QVERIFY(m_desktop->messages[1].contains(QStringLiteral("plain/tervane.ini")));
  }

  void helpShowsThe32LinesWhenTheLinkIsPressed() {
    ui::MainWindow& w = *m_window;
    w.show();
    QTest::mousePress(Get<ui::ClickableLabel>(w, names::kHelpLink), Qt::LeftButton);
    QCOMPARE(m_desktop->messages.size(), 1);  // on the press, before any release
    const QStringList lines = m_desktop->messages[0].split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 32);
    QCOMPARE(lines[0], QStringLiteral("微博地址就是该微博打开后的页面地址，在该页面可以查看到详细的"
                                      "【评论、转发、赞】信息。"));
    QCOMPARE(lines[3], QStringLiteral("http://127.0.0.1:8080/2803301701/Kx3vB7pQm"));
    QCOMPARE(lines[4], QStringLiteral("http://127.0.0.1:8080/2803301701/L2aZ9yTnR"));
    QCOMPARE(lines[7], QString(32, QLatin1Char('=')));
    QCOMPARE(lines[10], QStringLiteral("“赞”区的用户，没有重复的"));
    QCOMPARE(lines[18], QStringLiteral("结束页号为 0 或“尾页”时，将采集到最后一页。"));
    QCOMPARE(lines[31], QStringLiteral("(只有转发和评论有时间参数，赞没有)"));
    for (const int empty : {1, 5, 6, 8, 9, 13, 15, 17, 20, 21, 23, 30}) {
      QVERIFY2(lines[empty].isEmpty(), qPrintable(QString::number(empty)));
    }
    QTest::mouseClick(Get<ui::ClickableLabel>(w, names::kHelpPicture), Qt::LeftButton);
    QCOMPARE(m_desktop->messages.size(), 2);
  }

  void picturesAndCaptionsOpenTheSamePages() {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    ui::MainWindow& w = *m_window;
    w.show();
    const std::pair<const char*, const char*> pairs[] = {
        {names::kHomePicture, names::kHomeLink},
        {names::kContactPicture, names::kContactLink},
        {names::kMoreSoftwarePicture, names::kMoreSoftwareLink}};
    for (const auto& [picture, link] : pairs) {
      recorder.opened.clear();
      QTest::mouseClick(Get<ui::ClickableLabel>(w, picture), Qt::LeftButton);
      QTest::mouseClick(Get<ui::ClickableLabel>(w, link), Qt::LeftButton);
      QCOMPARE(recorder.opened.size(), 2);
      QCOMPARE(recorder.opened[0], recorder.opened[1]);
    }
    recorder.opened.clear();
    QTest::mouseClick(Get<ui::ClickableLabel>(w, names::kLogoPicture), Qt::LeftButton);
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened[0].scheme(), QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  }

  // The real message box: modal, titled "信息：", closed here by its OK button.
  void realMessageBoxIsObservedAndClosed() {
    ui::QtDesktop desktop;
    QString seenTitle;
    QString seenText;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seenTitle = box->windowTitle();
      seenText = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    desktop.ShowMessage(nullptr, QStringLiteral("保存完毕！"));
    QCOMPARE(seenTitle, QStringLiteral("信息："));
    QCOMPARE(seenText, QStringLiteral("保存完毕！"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
