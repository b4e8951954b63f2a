// The browser page's parts without the window: the engine's start-up environment, the rule for
// status texts, and the one cookie store of the browser and the collector (conversions between
// the two stores' forms, mirroring in both directions against real loopback servers, and the
// cookies file that carries the lasting cookies over a restart).

#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QNetworkCookie>
#include <QSignalSpy>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "browser/BrowserCookies.h"
#include "browser/BrowserPage.h"
#include "browser/BrowserProfile.h"
#include "browser/EngineSetup.h"
#include "platform/HeadlessEventPump.h"
#include "support/RawHttpServer.h"
#include "support/TestBrowserProfile.h"
#include "support/TestText.h"
#include "web/SessionShare.h"
#include "web/TimedRequest.h"

Q_DECLARE_METATYPE(std::optional<web::Cookie>)

namespace {

using web::Cookie;

constexpr std::int64_t kInAWeek = 4102444800;  // 2100-01-01, far enough ahead for any run

// A loopback server that answers every page with `headerLines` and a small page, and /favicon.ico
// with 404, and keeps every request.
std::unique_ptr<test::RawHttpServer> PageServer(const std::string& headerLines = "") {
  return std::make_unique<test::RawHttpServer>([headerLines](const std::string& request) {
    if (request.starts_with("GET /favicon.ico")) {
      return test::HttpAnswer("", "", "HTTP/1.1 404 Not Found");
    }
    return test::HttpAnswer("<html><head><title>t</title></head><body>page</body></html>",
                            "Content-Type: text/html\r\n" + headerLines);
  });
}

// The Cookie line of the last request for `path`, "" when it carried none.
std::string CookieLineOf(test::RawHttpServer& server, const std::string& path) {
  std::string line;
  for (const std::string& request : server.Requests()) {
    if (!request.starts_with("GET " + path + " ")) continue;
    line.clear();
    const std::size_t at = request.find("\r\nCookie: ");
    if (at != std::string::npos) {
      const std::size_t start = at + 10;
      line = request.substr(start, request.find("\r\n", start) - start);
    }
  }
  return line;
}

// Whether the collector's store holds a cookie named `name` (with `value`, when given).
bool ShareHolds(const std::string& name, const std::optional<std::string>& value = std::nullopt) {
  const std::vector<Cookie> cookies = web::SessionShare::Instance().Cookies();
  return std::any_of(cookies.begin(), cookies.end(), [&](const Cookie& cookie) {
    return cookie.name == name && (!value || cookie.value == *value);
  });
}

// What a collector request of `address` sends; the page's text is not needed.
void CollectorRequest(const std::string& address) {
  platform::HeadlessEventPump pump;
  text::Text target = address;
  web::FetchPage(pump, target);
}

// Loads `address` in a page of `profile` and waits for the load to end.
bool BrowserLoads(QWebEngineProfile& profile, const QString& address) {
  QWebEnginePage page(&profile);
  QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
  page.load(QUrl(address));
  return loaded.wait(20000) && loaded.first().first().toBool();
}

QNetworkCookie EngineCookie(const char* name, const char* value, const QString& domain) {
  QNetworkCookie cookie(name, value);
  cookie.setDomain(domain);
  cookie.setPath(QStringLiteral("/"));
  return cookie;
}

}  // namespace

class BrowserTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { browser::PrepareBrowserEngine(); }

 private slots:
  void init() { web::SessionShare::Instance().ClearCookies(); }

  void cookieFromBrowser_data() {
    QTest::addColumn<QNetworkCookie>("reported");
    QTest::addColumn<std::optional<Cookie>>("stored");
    QTest::newRow("host only, session")
        << EngineCookie("SUB", "abc", QStringLiteral("127.0.0.1"))
        << std::optional(Cookie{.domain = "127.0.0.1", .name = "SUB", .value = "abc"});
    QTest::newRow("domain with subdomains, upper case")
        << EngineCookie("a", "1", QStringLiteral(".Weibo.COM"))
        << std::optional(
               Cookie{.domain = "weibo.com", .includeSubdomains = true, .name = "a", .value = "1"});
    QNetworkCookie lasting = EngineCookie("SUBP", "x y", QStringLiteral("weibo.com"));
    lasting.setPath(QStringLiteral("/ajax"));
    lasting.setSecure(true);
    lasting.setHttpOnly(true);
    lasting.setExpirationDate(QDateTime::fromSecsSinceEpoch(kInAWeek, Qt::UTC));
    QTest::newRow("lasting, secure, http only, path") << lasting
                                                      << std::optional(Cookie{.domain = "weibo.com",
                                                                              .path = "/ajax",
                                                                              .secure = true,
                                                                              .httpOnly = true,
                                                                              .expires = kInAWeek,
                                                                              .name = "SUBP",
                                                                              .value = "x y"});
    QNetworkCookie epoch = EngineCookie("old", "1", QStringLiteral("weibo.com"));
    epoch.setExpirationDate(QDateTime::fromSecsSinceEpoch(0, Qt::UTC));
    QTest::newRow("expired at 1970 stays expired, not session")
        << epoch
        << std::optional(Cookie{.domain = "weibo.com",
                                .expires = web::kDeletingExpiry,
                                .name = "old",
                                .value = "1"});
    QTest::newRow("tab in the value")
        << EngineCookie("t", "a\tb", QStringLiteral("weibo.com")) << std::optional<Cookie>();
    QTest::newRow("no domain") << EngineCookie("n", "1", QString()) << std::optional<Cookie>();
    QTest::newRow("no name") << EngineCookie("", "1", QStringLiteral("weibo.com"))
                             << std::optional<Cookie>();
  }
  void cookieFromBrowser() {
    QFETCH(QNetworkCookie, reported);
    QFETCH(std::optional<Cookie>, stored);
    const std::optional<Cookie> converted = browser::CookieFromBrowser(reported);
    QCOMPARE(converted.has_value(), stored.has_value());
    if (!stored) return;
    QCOMPARE(web::ToNetscapeLine(*converted), web::ToNetscapeLine(*stored));
    // And back: a host-only cookie carries no domain, its origin names the host.
    const browser::BrowserCookie back = browser::ToBrowserCookie(*converted);
    QCOMPARE(back.cookie.name(), reported.name());
    QCOMPARE(back.cookie.value(), reported.value());
    QCOMPARE(back.cookie.domain(),
             stored->includeSubdomains
                 ? QStringLiteral(".") + QString::fromStdString(stored->domain)
                 : QString());
    QCOMPARE(back.origin.host(), QString::fromStdString(stored->domain));
    QCOMPARE(back.origin.scheme(),
             stored->secure ? QStringLiteral("https") : QStringLiteral("http"));
    QCOMPARE(back.origin.path(), QString::fromStdString(stored->path));
    QCOMPARE(back.cookie.isSessionCookie(), stored->expires == 0);
  }

  // As root the engine runs without its sandbox and GPU; what the environment already says is
  // kept, and the switch is added once.
  void engineEnvironmentForRoot() {
    const QByteArray savedFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const QByteArray savedSandbox = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--lang=zh-CN");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "0");
    browser::PrepareBrowserEngine();
    browser::PrepareBrowserEngine();
    const bool root = ::geteuid() == 0;
    QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"),
             root ? QByteArray("--lang=zh-CN --disable-gpu") : QByteArray("--lang=zh-CN"));
    QCOMPARE(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), QByteArray("0"));
    qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    browser::PrepareBrowserEngine();
    QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"),
             root ? QByteArray("--disable-gpu") : QByteArray());
    QCOMPARE(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), root ? QByteArray("1") : QByteArray());
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", savedFlags);
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", savedSandbox);
  }

  void statusTextNamesAWebAddress_data() {
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<bool>("address");
    QTest::newRow("http") << "http://weibo.com/" << true;
    QTest::newRow("https") << "https://weibo.com/" << true;
    QTest::newRow("upper case") << "HTTP://WEIBO.COM/" << true;
    QTest::newRow("mixed, scheme only") << "hTtP" << true;
    QTest::newRow("shorter") << "htt" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("leading blank") << " http://weibo.com/" << false;
    QTest::newRow("other scheme") << "mailto:a@weibo.com" << false;
    QTest::newRow("loading message") << "正在打开网页 http://weibo.com/..." << false;
    QTest::newRow("fullwidth letters") << "ｈｔｔｐ://weibo.com/" << false;
  }
  void statusTextNamesAWebAddress() {
    QFETCH(QString, statusText);
    QFETCH(bool, address);
    QCOMPARE(browser::IsWebAddress(statusText), address);
  }

  // A cookie the browser's store gains or loses is in the collector's next request, or gone
  // from it.
  void browserCookiesReachTheCollector() {
    test::TestBrowserProfile browser;
    QVERIFY(BrowserLoads(browser.profile(), "about:blank"));  // the engine's store opens
    const auto server = PageServer();
    const QUrl origin(QString::fromStdString(server->Address("/")));
    QWebEngineCookieStore& store = *browser.profile().cookieStore();
    store.setCookie(QNetworkCookie("login", "yes"), origin);
    QTRY_VERIFY_WITH_TIMEOUT(ShareHolds("login", "yes"), 10000);
    CollectorRequest(server->Address("/one"));
    QCOMPARE(CookieLineOf(*server, "/one"), std::string("login=yes"));

    // A new value replaces the old one (the engine reports a removal of the old value first).
    store.setCookie(QNetworkCookie("login", "again"), origin);
    QTRY_VERIFY_WITH_TIMEOUT(ShareHolds("login", "again"), 10000);
    QVERIFY(!ShareHolds("login", "yes"));

    store.deleteCookie(QNetworkCookie("login", "again"), origin);
    QTRY_VERIFY_WITH_TIMEOUT(!ShareHolds("login"), 10000);
    CollectorRequest(server->Address("/two"));
    QCOMPARE(CookieLineOf(*server, "/two"), std::string());
  }

  // A cookie a collector response sets goes into the browser's store, which then sends it; one
  // the response deletes leaves it.
  void responseCookiesReachTheBrowser() {
    test::TestBrowserProfile browser;
    QVERIFY(BrowserLoads(browser.profile(), "about:blank"));
    QSignalSpy added(browser.profile().cookieStore(), &QWebEngineCookieStore::cookieAdded);
    const auto setting = PageServer("Set-Cookie: kept=1; Max-Age=600\r\nSet-Cookie: session=2\r\n");
    CollectorRequest(setting->Address("/set"));
    QTRY_COMPARE_WITH_TIMEOUT(added.count(), 2, 10000);
    const auto reading = PageServer();
    // Both servers are on 127.0.0.1, and cookies do not tell ports apart.
    QVERIFY(BrowserLoads(browser.profile(), QString::fromStdString(reading->Address("/page"))));
    const std::string sent = CookieLineOf(*reading, "/page");
    QVERIFY2(sent == "kept=1; session=2" || sent == "session=2; kept=1", sent.c_str());

    QSignalSpy removed(browser.profile().cookieStore(), &QWebEngineCookieStore::cookieRemoved);
    const auto deleting = PageServer("Set-Cookie: kept=; Max-Age=0\r\n");
    CollectorRequest(deleting->Address("/delete"));
    QTRY_COMPARE_WITH_TIMEOUT(removed.count(), 1, 10000);
    QVERIFY(BrowserLoads(browser.profile(), QString::fromStdString(reading->Address("/again"))));
    QCOMPARE(CookieLineOf(*reading, "/again"), std::string("session=2"));
  }

  // The lasting cookies go to a private cookies file and come back into both stores at the next
  // start; session cookies end with the program.
  void lastingCookiesSurviveARestart() {
    const test::TempDir folder;
    const auto server = PageServer();
    const QUrl origin(QString::fromStdString(server->Address("/")));
    {
      browser::BrowserProfile first(folder.path());
      QVERIFY(BrowserLoads(first.profile(), "about:blank"));
      QNetworkCookie lasting("lasting", "1");
      lasting.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(3));
      first.profile().cookieStore()->setCookie(lasting, origin);
      first.profile().cookieStore()->setCookie(QNetworkCookie("session", "1"), origin);
      QTRY_VERIFY_WITH_TIMEOUT(ShareHolds("lasting") && ShareHolds("session"), 10000);
    }
    const std::filesystem::path file = folder.path() / "cookies.txt";
    const std::string saved = test::FileContent(file);
    QVERIFY2(saved.find("\tlasting\t1\n") != std::string::npos, saved.c_str());
    QVERIFY2(saved.find("session") == std::string::npos, saved.c_str());
    struct stat status {};
    QCOMPARE(::stat(file.c_str(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0600u);

    web::SessionShare::Instance().ClearCookies();  // as a new process starts
    browser::BrowserProfile second(folder.path());
    QVERIFY(ShareHolds("lasting", "1"));
    QVERIFY(!ShareHolds("session"));
    QVERIFY(BrowserLoads(second.profile(), QString::fromStdString(server->Address("/page"))));
    QCOMPARE(CookieLineOf(*server, "/page"), std::string("lasting=1"));
  }

  // Lines of the cookies file that are no cookies are named; the others still load.
  void badCookieLinesAreNamed() {
    const test::TempDir folder;
    const std::filesystem::path file = folder.path() / "cookies.txt";
    std::ofstream(file) << "# Netscape HTTP Cookie File\nbroken line\n"
                           "127.0.0.1\tFALSE\t/\tFALSE\t4102444800\tgood\t1\n";
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("1 line\\(s\\) are not cookies and are left out "
                                            "\\(the first is line 2\\)$"));
    const browser::BrowserProfile profile(folder.path());
    QVERIFY(ShareHolds("good", "1"));
  }

  // A cookies file that cannot be read is left alone rather than replaced by an empty one.
  void unreadableCookiesFileIsKept() {
    const test::TempDir folder;
    std::filesystem::create_directories(folder.path() / "cookies.txt");
    browser::BrowserProfile profile(folder.path());
    QVERIFY(!profile.cookies().SaveCookies());
    QVERIFY(std::filesystem::is_directory(folder.path() / "cookies.txt"));
  }
};

QTEST_MAIN(BrowserTest)
#include "BrowserTest.moc"
