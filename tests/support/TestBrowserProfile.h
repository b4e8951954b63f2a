#pragma once

// A browser profile in a temporary folder of its own, for the windows of one test program.
// Declare it before the windows that use it: it must outlive them.

#include <QWebEngineProfile>
#include <filesystem>

#include "browser/BrowserProfile.h"
#include "support/TestText.h"

namespace test {

class TestBrowserProfile {
 public:
  TestBrowserProfile() : m_browser(m_folder.path()) {}

  QWebEngineProfile& profile() { return m_browser.profile(); }
  browser::BrowserProfile& browser() { return m_browser; }
  const std::filesystem::path& folder() const { return m_folder.path(); }

 private:
  TempDir m_folder;
  browser::BrowserProfile m_browser;
};

}  // namespace test
