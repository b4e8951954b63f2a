#pragma once

// The browser page's profile: a persistent, named Qt WebEngine profile whose storage lives in
// the program's data folder, with its cookies shared with the collector.

#include <QWebEngineProfile>
#include <filesystem>

#include "browser/CookieBridge.h"

namespace browser {

// $XDG_DATA_HOME/tervane, or ~/.local/share/tervane without it.
std::filesystem::path DefaultDataFolder();

class BrowserProfile {
 public:
  // The engine's storage goes to `dataFolder`/browser and the lasting cookies to
  // `dataFolder`/cookies.txt; the folder is made, readable by the user alone, when missing.
  // Every page of the profile must be gone before the profile is.
  explicit BrowserProfile(const std::filesystem::path& dataFolder);

  QWebEngineProfile& profile() { return m_profile; }
  CookieBridge& cookies() { return m_cookies; }

 private:
  QWebEngineProfile m_profile;
  CookieBridge m_cookies;
};

}  // namespace browser
