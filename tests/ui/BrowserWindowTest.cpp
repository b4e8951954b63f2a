// The browser page of the window against the simulator: logging in inside the embedded browser
// makes the collector's requests those of the logged-in user, a logout ends that, a remembered
// login survives a restart; links that want a new window open in the page itself, the right
// button visits the clipboard's address, and the address box follows the browser.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>
#include <memory>
#include <optional>

#include "RecordingDesktop.h"
#include "browser/BrowserProfile.h"
#include "browser/EngineSetup.h"
#include "settings/SettingsStore.h"
#include "support/SimProcess.h"
#include "support/TestText.h"
#include "ui/ControlNames.h"
#include "ui/ControlTable.h"
#include "ui/MainWindow.h"
#include "ui/PageControl.h"
#include "ui/WidgetText.h"
#include "web/SessionShare.h"

namespace {

namespace names = ui::names;

constexpr int kPageTimeoutMs = 20000;

// A link block at a known place of the page, so that the mouse can be put on it.
QString LinkAt(const char* id, const QString& href, int top, const char* target = "") {
  return QStringLiteral(
             "<a id=\"%1\" href=\"%2\" target=\"%3\" style=\"position:absolute;left:0;top:%4px;"
             "width:300px;height:40px\">%1</a>")
      .arg(QString::fromUtf8(id), href, QString::fromUtf8(target), QString::number(top));
}

}  // namespace

class BrowserWindowTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { browser::PrepareBrowserEngine(); }

 private:
  // A window with its browser profile in `dataFolder`, on the simulator, first activated: its
  // browser shows the service's home page.
  struct Window {
    Window(test::SimProcess& sim, const test::TempDir& fixtures,
           const std::filesystem::path& dataFolder)
        : profile(dataFolder),
          window(store, desktop, profile.profile(), QString::fromStdString(sim.serviceHost())),
          home(QStringLiteral("http://%1/").arg(QString::fromStdString(sim.serviceHost()))),
          started(View()->page(), &QWebEnginePage::loadStarted),
          finished(View()->page(), &QWebEnginePage::loadFinished) {
      store.SetFile(fixtures.path() / "tervane.ini");
      window.show();
      QVERIFY(QTest::qWaitForWindowActive(&window));
      // The delays come from the settings file, which the first activation loads.
      Box(names::kDelay1)->setText(QStringLiteral("0"));
      Box(names::kDelay2)->setText(QStringLiteral("0"));
      window.findChild<QPlainTextEdit*>(QString::fromUtf8(names::kAddressList))
          ->setPlainText(ui::PlainLines(test::FileContent(fixtures.path() / "addresses.txt")));
    }
    ~Window() { window.close(); }

    QLineEdit* Box(const char* name) {
      return window.findChild<QLineEdit*>(QString::fromUtf8(name));
    }
    QLineEdit* AddressBox() { return Box(names::kBrowserAddress); }
    QWebEngineView* View() {
      return window.findChild<QWebEngineView*>(QString::fromUtf8(names::kBrowser));
    }
    QPushButton* VisitButton() {
      return window.findChild<QPushButton*>(QString::fromUtf8(names::kVisitButton));
    }
    ui::PageControl* Pages() {
      return window.findChild<ui::PageControl*>(QString::fromUtf8(names::kPageControl));
    }
    QString Address(const char* path) const { return home + QString::fromUtf8(path).mid(1); }

    // What `script` gives in the page shown.
    QVariant Run(const QString& script) {
      std::optional<QVariant> result;
      View()->page()->runJavaScript(script, [&](const QVariant& value) { result = value; });
      if (!QTest::qWaitFor([&] { return result.has_value(); }, kPageTimeoutMs)) return {};
      return *result;
    }
    // Moves the mouse over `point` of the page until the status text is `expected`: the page
    // may not be laid out yet when it has loaded.
    bool Hover(QPoint point, const QString& expected) {
      QWidget* surface = View()->focusProxy();
      bool nudge = false;
      return QTest::qWaitFor(
          [&] {
            nudge = !nudge;
            QTest::mouseMove(surface, point + QPoint(nudge ? 1 : 0, 0));
            return window.browserPage().lastStatusText() == expected;
          },
          kPageTimeoutMs);
    }
    // Waits until the browser shows `address` and has loaded it; the address box follows.
    bool Shows(const QString& address) {
      return QTest::qWaitFor(
          [&] { return View()->url().toString() == address && !View()->page()->isLoading(); },
          kPageTimeoutMs);
    }
    QString State() {
      return Run(QStringLiteral("document.getElementById('state').textContent")).toString();
    }

    // Logs in through the simulator's form inside the browser, as a user would.
    bool LogIn(bool remember) {
      AddressBox()->setText(Address("/login"));
      QTest::mouseClick(VisitButton(), Qt::LeftButton);
      if (!Shows(Address("/login"))) return false;
      Run(QStringLiteral("document.getElementById('username').value = 'ann';"
                         "document.getElementById('remember').checked = %1;"
                         "document.getElementById('submit').click();")
              .arg(remember ? QStringLiteral("true") : QStringLiteral("false")));
      return Shows(home) && State() == QStringLiteral("已登录");
    }

    // A collection from the start button on the collection page; gives the output.
    text::Text Collect() {
      Pages()->SetCurrentPage(ui::kCollectionPage);
      desktop.messages.clear();
      QTest::mouseClick(window.findChild<QPushButton*>(QString::fromUtf8(names::kStartButton)),
                        Qt::LeftButton);
      Pages()->SetCurrentPage(ui::kBrowserPage);
      if (desktop.messages != QStringList{QStringLiteral("采集完成！")}) return "no end";
      return ui::LocalLines(
          window.findChild<QPlainTextEdit*>(QString::fromUtf8(names::kOutput))->toPlainText());
    }

    settings::SettingsStore store;
    test::RecordingDesktop desktop;
    browser::BrowserProfile profile;
    ui::MainWindow window;
    QString home;
    QSignalSpy started;
    QSignalSpy finished;
  };

  struct Setup {
    Setup()
        : sim({"--seed", "4", "--posts", "2", "--pages", "3", "--users", "3", "--require-login",
               "--fixtures", fixtures.path().string()}) {
      web::SessionShare::Instance().ClearCookies();
    }
    std::unique_ptr<Window> Open() {
      auto opened = std::make_unique<Window>(sim, fixtures, data.path());
      // The first activation opens the home page twice, half a second apart, inside the first
      // event processing after the activation; then every load it started has to end.
      QTest::qWait(700);
      const bool settled = QTest::qWaitFor(
          [&] {
            return !opened->started.isEmpty() &&
                   opened->started.size() == opened->finished.size() &&
                   opened->View()->url().toString() == opened->home;
          },
          kPageTimeoutMs);
      if (!settled) return nullptr;
      return opened;
    }
    std::string Expected() {
      return test::FileContent(fixtures.path() / "expected-comment-date.txt");
    }

    test::TempDir fixtures;
    test::TempDir data;
    test::SimProcess sim;
  };

 private slots:
  // The first activation opens the home page; before a login the collector gets nothing, after
  // a login in the browser page every line, and after a logout there nothing again.
  void loginAndLogoutInTheBrowserApplyToTheCollector() {
    Setup setup;
    QVERIFY(setup.sim.running());
    const std::unique_ptr<Window> w = setup.Open();
    QVERIFY(w);
    QCOMPARE(w->View()->page()->profile(), &w->profile.profile());
    QCOMPARE(w->AddressBox()->text(), w->home);
    QCOMPARE(w->State(), QStringLiteral("未登录"));
    QCOMPARE(w->Collect(), text::Text());

    QVERIFY(w->LogIn(false));
    QCOMPARE(w->Collect(), setup.Expected());

    // The logout link, clicked inside the page.
    w->Run(QStringLiteral("document.getElementById('logout').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(w->State(), QStringLiteral("未登录"), kPageTimeoutMs);
    QCOMPARE(w->Collect(), text::Text());
  }

  // A login the user asked to remember holds after a restart of the program; a session login
  // ends with the program.
  void rememberedLoginSurvivesARestart_data() {
    QTest::addColumn<bool>("remember");
    QTest::newRow("remembered") << true;
    QTest::newRow("session only") << false;
  }
  void rememberedLoginSurvivesARestart() {
    QFETCH(bool, remember);
    Setup setup;
    QVERIFY(setup.sim.running());
    {
      const std::unique_ptr<Window> first = setup.Open();
      QVERIFY(first);
      QVERIFY(first->LogIn(remember));
    }
    web::SessionShare::Instance().ClearCookies();  // as a new process starts
    const std::unique_ptr<Window> second = setup.Open();
    QVERIFY(second);
    QCOMPARE(second->State(), remember ? QStringLiteral("已登录") : QStringLiteral("未登录"));
    QCOMPARE(second->Collect(), remember ? setup.Expected() : text::Text());
  }

  // A page's request for a new window never opens one: the address the status text showed last
  // opens in this browser when it is a web address, and otherwise nothing happens.
  void newWindowRequestsOpenInThisBrowser() {
    Setup setup;
    QVERIFY(setup.sim.running());
    const std::unique_ptr<Window> w = setup.Open();
    QVERIFY(w);
    const QString login = w->Address("/login");
    const QString page = LinkAt("blank", login, 0, "_blank") +
                         LinkAt("mail", QStringLiteral("mailto:ann@example.com"), 100);
    const int windows = QApplication::topLevelWidgets().size();
    QWidget* surface = w->View()->focusProxy();
    QVERIFY(surface);
    const auto showPage = [&] {
      w->View()->setHtml(page, QUrl(w->home));
      QVERIFY(w->Shows(w->home));
      QTRY_COMPARE(w->window.browserPage().lastStatusText(), QString());
    };
    const auto stillShowsThePage = [&] {
      QTest::qWait(700);  // time enough for a navigation to start
      QCOMPARE(w->View()->url().toString(), w->home);
      QVERIFY(w->Run(QStringLiteral("!!document.getElementById('blank')")).toBool());
    };

    // A target=_blank link under the mouse, clicked.
    showPage();
    QVERIFY(w->Hover(QPoint(20, 20), login));
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(w->Shows(login));
    QTRY_COMPARE(w->AddressBox()->text(), login);

    // window.open from a script with no status text: dropped.
    showPage();
    QVERIFY(w->Hover(QPoint(400, 300), QString()));
    w->Run(QStringLiteral("window.open('%1')").arg(login));
    stillShowsThePage();

    // window.open while a link's address is the status text: that address opens, not the
    // script's.
    QVERIFY(w->Hover(QPoint(20, 20), login));
    w->Run(QStringLiteral("window.open('%1')").arg(w->Address("/logout")));
    QVERIFY(w->Shows(login));

    // A status text that is no web address (a mail link under the mouse): dropped.
    showPage();
    QVERIFY(w->Hover(QPoint(20, 120), QStringLiteral("mailto:ann@example.com")));
    w->Run(QStringLiteral("window.open('%1')").arg(login));
    stillShowsThePage();

    // An upper-case scheme passes the test.
    w->window.browserPage().OnStatusTextChanged(QStringLiteral("HTTP://") +
                                                QString::fromStdString(setup.sim.serviceHost()) +
                                                QStringLiteral("/login"));
    w->Run(QStringLiteral("window.open('about:blank')"));
    QVERIFY(w->Shows(login));

    QCOMPARE(QApplication::topLevelWidgets().size(), windows);  // no window was ever made
  }

  // The right button on the visit button opens the clipboard's address; the address box shows
  // it once the page's title has changed. An empty clipboard opens nothing that hurts.
  void rightButtonVisitsTheClipboardAddress() {
    Setup setup;
    QVERIFY(setup.sim.running());
    const std::unique_ptr<Window> w = setup.Open();
    QVERIFY(w);
    const QString login = w->Address("/login");
    QGuiApplication::clipboard()->setText(login);
    QTest::mousePress(w->VisitButton(), Qt::RightButton);
    QTest::mouseRelease(w->VisitButton(), Qt::RightButton);
    QVERIFY(w->Shows(login));
    QTRY_COMPARE(w->AddressBox()->text(), login);
    QCOMPARE(w->Run(QStringLiteral("document.title")).toString(), QStringLiteral("登录 - 微博"));

    QGuiApplication::clipboard()->clear();
    QTest::mousePress(w->VisitButton(), Qt::RightButton);
    QTest::mouseRelease(w->VisitButton(), Qt::RightButton);
    QTest::qWait(300);
    QVERIFY(w->window.isVisible());
  }

  // An address typed into the box stays until the browser's title changes; then the box shows
  // the browser's location, also when the new page has the same title as the one before.
  void addressBoxFollowsTheBrowser() {
    Setup setup;
    QVERIFY(setup.sim.running());
    const std::unique_ptr<Window> w = setup.Open();
    QVERIFY(w);
    w->AddressBox()->setText(QStringLiteral("typed, not visited"));
    QTest::qWait(300);
    QCOMPARE(w->AddressBox()->text(), QStringLiteral("typed, not visited"));

    const QString sameTitle = w->home + QStringLiteral("?again=1");
    w->Run(QStringLiteral("location.href = '%1'").arg(sameTitle));
    QVERIFY(w->Shows(sameTitle));
    QTRY_COMPARE(w->AddressBox()->text(), sameTitle);

    // The visit button opens the box's content as it stands.
    w->AddressBox()->setText(w->Address("/login"));
    QTest::mouseClick(w->VisitButton(), Qt::LeftButton);
    QVERIFY(w->Shows(w->Address("/login")));
  }
};

QTEST_MAIN(BrowserWindowTest)
#include "BrowserWindowTest.moc"
