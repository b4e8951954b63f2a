#include "browser/EngineSetup.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace browser {

void PrepareBrowserEngine() {
  if (::geteuid() != 0) return;
  ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  const char* current = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS");
  std::string flags = current ? current : "";
  if (flags.find("--disable-gpu") == std::string::npos) {
    flags += flags.empty() ? "--disable-gpu" : " --disable-gpu";
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
  }
}

}  // namespace browser
