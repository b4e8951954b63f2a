#include "browser/CookieBridge.h"

#include <QDebug>
#include <QNetworkCookie>
#include <QWebEngineCookieStore>
#include <ctime>
#include <mutex>
#include <string_view>
#include <system_error>
#include <vector>

#include "browser/BrowserCookies.h"
#include "platform/FileReading.h"
#include "platform/FileReplacement.h"

namespace browser {

// Cookies set by responses to the collector's requests, which arrive on the request workers'
// threads, on their way to the window's thread. The share's listener holds the inbox, so it
// stays valid for a worker that outlives the bridge; the bridge is reached only while it lives.
struct ResponseCookieInbox {
  std::mutex mutex;
  std::vector<web::Cookie> cookies;
  CookieBridge* bridge = nullptr;
};

namespace {

constexpr int kSaveDelayMs = 200;

bool HasExpired(const web::Cookie& cookie, std::int64_t now) {
  return cookie.expires != 0 && cookie.expires <= now;
}

}  // namespace

CookieBridge::CookieBridge(QWebEngineCookieStore& browserStore, web::SessionShare& share,
                           std::filesystem::path cookiesFile)
    : m_browserStore(browserStore),
      m_share(share),
      m_cookiesFile(std::move(cookiesFile)),
      m_inbox(std::make_shared<ResponseCookieInbox>()) {
  m_saveSoon.setSingleShot(true);
  m_saveSoon.setInterval(kSaveDelayMs);
  connect(&m_saveSoon, &QTimer::timeout, this, [this] { SaveCookies(); });
  connect(&m_browserStore, &QWebEngineCookieStore::cookieAdded, this,
          &CookieBridge::OnBrowserCookieAdded);
  connect(&m_browserStore, &QWebEngineCookieStore::cookieRemoved, this,
          &CookieBridge::OnBrowserCookieRemoved);
  LoadCookies();

  m_inbox->bridge = this;
  m_share.SetCookieListener([inbox = m_inbox](const web::Cookie& cookie) {
    const std::lock_guard lock(inbox->mutex);
    if (!inbox->bridge) return;
    inbox->cookies.push_back(cookie);
    if (inbox->cookies.size() == 1) {
      QMetaObject::invokeMethod(inbox->bridge, "TakeResponseCookies", Qt::QueuedConnection);
    }
  });
}

CookieBridge::~CookieBridge() {
  m_share.SetCookieListener(nullptr);
  {
    const std::lock_guard lock(m_inbox->mutex);
    m_inbox->bridge = nullptr;
  }
  SaveCookies();
}

void CookieBridge::LoadCookies() {
  std::error_code missing;
  if (!std::filesystem::exists(m_cookiesFile, missing)) return;
  std::string error;
  const std::optional<std::string> content = platform::ReadFileContent(m_cookiesFile, error);
  if (!content) {
    qWarning("tervane: cannot read the cookies file %s: %s; it is left as it is",
             m_cookiesFile.c_str(), error.c_str());
    m_keepFile = true;
    return;
  }
  const web::CookieFile file = web::ReadCookieFile(*content);
  if (!file.badLines.empty()) {
    qWarning(
        "tervane: in the cookies file %s, %zu line(s) are not cookies and are left out "
        "(the first is line %zu)",
        m_cookiesFile.c_str(), file.badLines.size(), file.badLines.front());
  }
  const std::int64_t now = std::time(nullptr);
  for (const web::Cookie& cookie : file.cookies) {
    if (HasExpired(cookie, now)) continue;
    m_share.StoreCookie(cookie);
    SetInBrowser(cookie);
  }
  m_savedText = *content;
}

bool CookieBridge::SaveCookies() {
  m_saveSoon.stop();
  std::vector<web::Cookie> lasting = m_share.Cookies();
  std::erase_if(lasting, [](const web::Cookie& cookie) { return cookie.expires == 0; });
  const std::string text = web::CookieFileText(lasting);
  if (m_keepFile) return false;
  if (text == m_savedText) return true;
  std::error_code folderError;
  std::filesystem::create_directories(m_cookiesFile.parent_path(), folderError);
  std::string error;
  const std::string_view parts[] = {text};
  if (!platform::ReplaceFile(m_cookiesFile, parts, error, 0600)) {
    qWarning("tervane: cannot save the cookies file %s: %s", m_cookiesFile.c_str(), error.c_str());
    return false;
  }
  m_savedText = text;
  return true;
}

void CookieBridge::OnBrowserCookieAdded(const QNetworkCookie& cookie) {
  if (const std::optional<web::Cookie> converted = CookieFromBrowser(cookie)) {
    m_share.StoreCookie(*converted);
    m_saveSoon.start();
  }
}

void CookieBridge::OnBrowserCookieRemoved(const QNetworkCookie& cookie) {
  const std::optional<web::Cookie> converted = CookieFromBrowser(cookie);
  if (converted && m_share.RemoveCookie(*converted)) m_saveSoon.start();
}

void CookieBridge::TakeResponseCookies() {
  std::vector<web::Cookie> cookies;
  {
    const std::lock_guard lock(m_inbox->mutex);
    cookies.swap(m_inbox->cookies);
  }
  for (const web::Cookie& cookie : cookies) {
    SetInBrowser(cookie);
  }
  if (!cookies.empty()) m_saveSoon.start();
}

void CookieBridge::SetInBrowser(const web::Cookie& cookie) {
  const BrowserCookie converted = ToBrowserCookie(cookie);
  if (HasExpired(cookie, std::time(nullptr))) {
    m_browserStore.deleteCookie(converted.cookie, converted.origin);
  } else {
    m_browserStore.setCookie(converted.cookie, converted.origin);
  }
}

}  // namespace browser
