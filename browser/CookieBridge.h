#pragma once

// One cookie store for the browser page and the collector. The collector's store (the curl
// share) hears of every cookie the browser's store adds or removes, and the browser's store of
// every cookie a collector response sets. The browser engine cannot list the cookies it keeps
// on disk (its loadAllCookies reports none), so it keeps none there: the lasting cookies of the
// shared store live in a cookies file of ours, read into both stores at start-up and rewritten
// when they change. Session cookies stay in memory until the program ends.

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>

#include "web/Cookie.h"
#include "web/SessionShare.h"

class QNetworkCookie;
class QWebEngineCookieStore;

namespace browser {

struct ResponseCookieInbox;

// One bridge at a time: it takes the collector store's one cookie listener.
class CookieBridge : public QObject {
  Q_OBJECT

 public:
  // Reads the cookies file into both stores (a missing file is an empty one) and starts the
  // mirroring. The browser's store must keep no cookies on disk of its own.
  CookieBridge(QWebEngineCookieStore& browserStore, web::SessionShare& share,
               std::filesystem::path cookiesFile);
  // Stops the mirroring and writes the cookies file one last time.
  ~CookieBridge() override;
  CookieBridge(const CookieBridge&) = delete;
  CookieBridge& operator=(const CookieBridge&) = delete;

  // Writes the lasting cookies of the shared store to the cookies file, unless the file already
  // holds them; false with a warning saying why when it cannot. A file that could not be read
  // at start-up is never overwritten.
  bool SaveCookies();

 private:
  void LoadCookies();
  void OnBrowserCookieAdded(const QNetworkCookie& cookie);
  void OnBrowserCookieRemoved(const QNetworkCookie& cookie);
  // Runs on the window's thread: hands the cookies responses have set to the browser's store.
  Q_INVOKABLE void TakeResponseCookies();
  void SetInBrowser(const web::Cookie& cookie);

  QWebEngineCookieStore& m_browserStore;
  web::SessionShare& m_share;
  std::filesystem::path m_cookiesFile;
  std::string m_savedText;
  bool m_keepFile = false;
  std::shared_ptr<ResponseCookieInbox> m_inbox;
  // Gathers a burst of changes (a login sets several cookies) into one write of the file.
  QTimer m_saveSoon;
};

}  // namespace browser
