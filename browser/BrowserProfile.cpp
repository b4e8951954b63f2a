#include "browser/BrowserProfile.h"

#include <QStandardPaths>
#include <QWebEngineCookieStore>
#include <system_error>

namespace browser {
namespace {

// Puts the profile's storage in the data folder, which is made private to the user when it is
// new (the cookies file holds logins); gives the profile's cookie store.
QWebEngineCookieStore& ConfiguredCookieStore(QWebEngineProfile& profile,
                                             const std::filesystem::path& dataFolder) {
  std::error_code error;
  if (std::filesystem::create_directories(dataFolder, error)) {
    std::filesystem::permissions(dataFolder, std::filesystem::perms::owner_all, error);
  }
  profile.setPersistentStoragePath(QString::fromStdString((dataFolder / "browser").string()));
  // The cookie bridge keeps the lasting cookies; the engine keeps every cookie in memory only.
  profile.setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
  profile.setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
  return *profile.cookieStore();
}

}  // namespace

std::filesystem::path DefaultDataFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return std::filesystem::path(data.toStdString()) / "tervane";
}

BrowserProfile::BrowserProfile(const std::filesystem::path& dataFolder)
    : m_profile(QStringLiteral("tervane")),
      m_cookies(ConfiguredCookieStore(m_profile, dataFolder), web::SessionShare::Instance(),
                dataFolder / "cookies.txt") {}

}  // namespace browser
