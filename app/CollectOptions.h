#pragma once

// The command line of tervane-collect.

#include <optional>
#include <string>
#include <vector>

#include "collector/CollectType.h"
#include "text/Text.h"

namespace app {

enum class OutputEncoding { kUtf8, kGbk };

struct CollectOptions {
  std::string serviceHost = "weibo.com";
  collector::CollectType type = collector::CollectType::Comment;
  text::Text lineTemplate;  // local text; the window's default unless given
  int startPage = 1;
  int endPage = 0;  // 0: to the last page
  int delayLow = 10;
  int delayHigh = 50;
  bool fullTime = false;
  std::vector<text::Text> addresses;       // local text, from the arguments
  std::optional<std::string> addressFile;  // "-" for standard input
  std::optional<std::string> cookieFile;
  double timeoutSeconds = 60;
  bool dedupe = false;
  std::optional<std::string> saveFile;
  OutputEncoding encoding = OutputEncoding::kUtf8;
  bool quiet = false;
};

struct ParsedCommandLine {
  enum class Action { kCollect, kHelp, kVersion, kError };
  Action action = Action::kCollect;
  CollectOptions options;
  std::string error;  // one line, for kError
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;

}  // namespace app
