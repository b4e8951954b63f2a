// tervane: the window program.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "browser/BrowserProfile.h"
#include "browser/EngineSetup.h"
#include "collector/ServiceAddresses.h"
#include "platform/AllocatorTuning.h"
#include "settings/CollectionSettings.h"
#include "settings/SettingsStore.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"

namespace {

constexpr int kBadOptions = 2;

constexpr char kUsage[] = R"(usage: tervane [options] [Qt options]
Opens the Tervane window.
  --service-host HOST[:PORT]   service host (default weibo.com)
  --settings FILE              settings file (default tervane.ini beside the program when its
                               folder is writable, else in $XDG_CONFIG_HOME/tervane/)
  --help                       show this help
  --version                    show the version
The browser page keeps its storage and the lasting cookies in $XDG_DATA_HOME/tervane/
(~/.local/share/tervane/ without it).
)";

struct WindowOptions {
  std::string serviceHost = std::string(collector::kDefaultServiceHost);
  std::optional<std::filesystem::path> settingsFile;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "tervane: %s (see tervane --help)\n", message.c_str());
  return kBadOptions;
}

// Our options, after Qt has taken its own; an error message when they are wrong.
std::optional<std::string> ParseOptions(int argc, char** argv, WindowOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::optional<std::string_view> value;
    if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
      value = arg.substr(equals + 1);
      arg = arg.substr(0, equals);
    }
    if (arg != "--service-host" && arg != "--settings") return "unknown option " + std::string(arg);
    if (!value) {
      if (i + 1 >= argc) return std::string(arg) + " needs a value";
      value = argv[++i];
    }
    if (arg == "--service-host") {
      if (!collector::IsValidServiceHost(*value)) {
        return "--service-host needs HOST or HOST:PORT (port 1 to 65535), not " +
               std::string(*value);
      }
      options.serviceHost = *value;
    } else {
      if (value->empty()) return "--settings needs a file name";
      options.settingsFile = std::filesystem::path(*value);
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  // Help and version need no display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("tervane (Tervane) %s\n", TERVANE_VERSION);
      return 0;
    }
  }
  platform::KeepFreedMemoryForReuse();
  browser::PrepareBrowserEngine();
  QApplication application(argc, argv);
  WindowOptions options;
  if (const std::optional<std::string> error = ParseOptions(argc, argv, options)) {
    return Fail(*error);
  }

  settings::SettingsStore store;
  const std::filesystem::path programFolder =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  store.SetFile(options.settingsFile.value_or(settings::SettingsFilePath(programFolder)));

  ui::QtDesktop desktop;
  browser::BrowserProfile browserProfile(browser::DefaultDataFolder());
  ui::MainWindow window(store, desktop, browserProfile.profile(),
                        QString::fromStdString(options.serviceHost));
  window.ShowCentred();
  return QApplication::exec();
}
