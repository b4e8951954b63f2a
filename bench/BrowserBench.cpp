// How soon the browser page has a cookie that a collector response set: logins posted to the
// simulator through TimedRequest, each waited for until the browser's store reports its new
// session cookie, beside the same posts without the wait in the same run. The ratio is the
// share of a request's time that the mirroring into the browser adds (1 would be nothing).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <filesystem>
#include <string>

#include "BenchRun.h"
#include "BenchSimulator.h"
#include "RateComparison.h"
#include "browser/BrowserProfile.h"
#include "browser/EngineSetup.h"
#include "platform/HeadlessEventPump.h"
#include "text/Conversions.h"
#include "web/TimedRequest.h"

namespace {

constexpr int kWaitLimitMs = 10000;

// A browser profile in a fresh folder whose cookie store is open (a page has loaded).
class OpenProfile {
 public:
  OpenProfile()
      : m_folder(std::filesystem::temp_directory_path() /
                 ("tervane-bench-" + std::to_string(QCoreApplication::applicationPid()))),
        m_browser(m_folder) {
    QWebEnginePage page(&m_browser.profile());
    bool loaded = false;
    QObject::connect(&page, &QWebEnginePage::loadFinished, [&] { loaded = true; });
    page.load(QUrl(QStringLiteral("about:blank")));
    QElapsedTimer waited;
    waited.start();
    while (!loaded && waited.elapsed() < kWaitLimitMs) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
  }
  ~OpenProfile() { std::filesystem::remove_all(m_folder); }

  QWebEngineCookieStore& store() { return *m_browser.profile().cookieStore(); }

 private:
  std::filesystem::path m_folder;
  browser::BrowserProfile m_browser;
};

bool PostLogin(platform::EventPump& pump, const std::string& address) {
  text::Text target = address;
  web::RequestOptions options;
  options.method = 1;
  options.postData = text::ToBytes("username=bench");
  options.followRedirects = false;
  web::TimedRequest(pump, target, options);
  return true;
}

void MirrorResponseCookies(benchmark::State& state) {
  const auto logins = static_cast<int>(state.range(0));
  const std::unique_ptr<sim::Simulator> simulator = StartSimulator(state, 1, 1);
  if (!simulator) return;
  const std::string login = "http://127.0.0.1:" + std::to_string(simulator->port()) + "/login";
  OpenProfile profile;
  int added = 0;
  QObject::connect(&profile.store(), &QWebEngineCookieStore::cookieAdded, [&] { ++added; });
  platform::HeadlessEventPump pump;
  const auto mirrored = [&] {
    for (int i = 0; i < logins; ++i) {
      const int before = added;
      PostLogin(pump, login);
      QElapsedTimer waited;
      waited.start();
      while (added == before) {
        if (waited.elapsed() > kWaitLimitMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
      }
    }
    return true;
  };
  const auto unmirrored = [&] {
    for (int i = 0; i < logins; ++i) {
      PostLogin(pump, login);
    }
    QCoreApplication::processEvents();
    return true;
  };
  CompareRates(state, {logins, "logins"}, mirrored, unmirrored, "unmirrored");
}
BENCHMARK(MirrorResponseCookies)->Arg(20)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  browser::PrepareBrowserEngine();
  QApplication application(argc, argv);
  return RunBenchmarks(argc, argv);
}
