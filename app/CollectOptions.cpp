#include "app/CollectOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <string_view>

#include "app/ConsoleText.h"
#include "collector/EntryLine.h"
#include "collector/ServiceAddresses.h"

namespace app {

const char* const kUsage = R"(usage: tervane-collect [options] [ADDRESS ...]
Collects the users who commented on, reposted or liked the posts at ADDRESS, one line each.
  --service-host HOST[:PORT]   service host (default weibo.com)
  --type comment|repost|like   listing to collect (default comment)
  --template TEXT              line template (default "@#昵称#,#ID#,#时间#,#地址#,#评论#")
  --start N                    first page (default 1)
  --end N                      last page, 0 = to the last (default 0)
  --delay LOW,HIGH             random delay between pages in ms (default 10,50)
  --full-time                  keep the whole time text (default: date only, like the window)
  --addresses FILE             read addresses one per line from FILE, "-" for standard input
  --cookies FILE               load cookies from a Netscape cookies.txt (a login exported from a browser)
  --timeout SECONDS            request time limit (default 60)
  --dedupe                     remove duplicate lines as the window's button does
  --save FILE                  write the result exactly as the window's save does (GBK, CR LF, header line for .csv)
  --encoding utf-8|gbk         standard output encoding (default utf-8, one line per entry, LF);
                               gbk writes the exact bytes the output box would hold (CR LF)
  --quiet                      no progress on standard error
  -h, --help, --version
Lines go to standard output, progress and warnings to standard error. Exit status: 0 after a
run, 2 for bad options, 130 when interrupted (Ctrl-C stops after the page under work; a second
Ctrl-C quits at once).
)";

namespace {

using Error = std::optional<std::string>;

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// `message` followed by the value the user gave, in quotes.
std::string WithValue(std::string_view message, std::string_view value) {
  return std::string(message).append(" '").append(value).append("'");
}

Error SetNumber(std::string_view name, std::string_view value, int& target) {
  const std::optional<int> number = WholeNumber(value);
  if (!number) return WithValue(std::string(name).append(" needs a whole number, not"), value);
  target = *number;
  return std::nullopt;
}

Error SetDelay(std::string_view value, CollectOptions& options) {
  const std::size_t comma = value.find(',');
  const std::optional<int> low =
      comma == std::string_view::npos ? std::nullopt : WholeNumber(value.substr(0, comma));
  const std::optional<int> high =
      comma == std::string_view::npos ? std::nullopt : WholeNumber(value.substr(comma + 1));
  if (!low || !high) {
    return WithValue("--delay needs two whole numbers of milliseconds as LOW,HIGH, not", value);
  }
  options.delayLow = *low;
  options.delayHigh = *high;
  return std::nullopt;
}

Error SetType(std::string_view value, CollectOptions& options) {
  if (value == "comment") {
    options.type = collector::CollectType::Comment;
  } else if (value == "repost") {
    options.type = collector::CollectType::Repost;
  } else if (value == "like") {
    options.type = collector::CollectType::Like;
  } else {
    return WithValue("--type must be comment, repost or like, not", value);
  }
  return std::nullopt;
}

Error SetTimeout(std::string_view value, CollectOptions& options) {
  // Above this the limit in milliseconds no longer fits the request's counter.
  constexpr double kMaxSeconds = 2000000;
  double seconds = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
  if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
      !std::isfinite(seconds) || seconds <= 0 || seconds > kMaxSeconds) {
    return WithValue("--timeout needs a number of seconds above 0 and at most 2000000, not", value);
  }
  options.timeoutSeconds = seconds;
  return std::nullopt;
}

Error SetEncoding(std::string_view value, CollectOptions& options) {
  std::string lower(value);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "utf-8" || lower == "utf8") {
    options.encoding = OutputEncoding::kUtf8;
  } else if (lower == "gbk") {
    options.encoding = OutputEncoding::kGbk;
  } else {
    return WithValue("--encoding must be utf-8 or gbk, not", value);
  }
  return std::nullopt;
}

Error SetServiceHost(std::string_view value, CollectOptions& options) {
  if (!collector::IsValidServiceHost(value)) {
    return WithValue("--service-host needs HOST or HOST:PORT (port 1 to 65535), not", value);
  }
  options.serviceHost = value;
  return std::nullopt;
}

using Apply = std::function<Error(std::string_view value, CollectOptions& options)>;

// A switch that sets `member`.
Apply Flag(bool CollectOptions::*member) {
  return [member](std::string_view, CollectOptions& options) -> Error {
    options.*member = true;
    return std::nullopt;
  };
}

// A whole number kept in `member`.
Apply Number(std::string_view name, int CollectOptions::*member) {
  return [name, member](std::string_view value, CollectOptions& options) {
    return SetNumber(name, value, options.*member);
  };
}

// A file name kept in `member`.
Apply FileName(std::string_view name, std::optional<std::string> CollectOptions::*member) {
  return [name, member](std::string_view value, CollectOptions& options) -> Error {
    if (value.empty()) return std::string(name).append(" needs a file name");
    options.*member = value;
    return std::nullopt;
  };
}

Error SetTemplate(std::string_view value, CollectOptions& options) {
  options.lineTemplate = LocalFromUtf8(value);
  return std::nullopt;
}

struct OptionSpec {
  std::string_view name;
  bool takesValue;
  Apply apply;
};

const std::array<OptionSpec, 14>& Options() {
  static const std::array<OptionSpec, 14> options{{
      {"--service-host", true, SetServiceHost},
      {"--type", true, SetType},
      {"--template", true, SetTemplate},
      {"--start", true, Number("--start", &CollectOptions::startPage)},
      {"--end", true, Number("--end", &CollectOptions::endPage)},
      {"--delay", true, SetDelay},
      {"--full-time", false, Flag(&CollectOptions::fullTime)},
      {"--addresses", true, FileName("--addresses", &CollectOptions::addressFile)},
      {"--cookies", true, FileName("--cookies", &CollectOptions::cookieFile)},
      {"--timeout", true, SetTimeout},
      {"--dedupe", false, Flag(&CollectOptions::dedupe)},
      {"--save", true, FileName("--save", &CollectOptions::saveFile)},
      {"--encoding", true, SetEncoding},
      {"--quiet", false, Flag(&CollectOptions::quiet)},
  }};
  return options;
}

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& option : Options()) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  parsed.options.lineTemplate = text::Text(collector::kDefaultLineTemplate);
  auto fail = [&parsed](std::string message) {
    parsed.action = ParsedCommandLine::Action::kError;
    parsed.error = std::move(message);
    return parsed;
  };

  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
      parsed.options.addresses.push_back(LocalFromUtf8(argument));
      continue;
    }
    if (argument == "-h" || argument == "--help") {
      parsed.action = ParsedCommandLine::Action::kHelp;
      return parsed;
    }
    if (argument == "--version") {
      parsed.action = ParsedCommandLine::Action::kVersion;
      return parsed;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    // --name=value or --name value
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const OptionSpec* option = FindOption(name);
    if (!option) return fail(WithValue("unknown option", name));
    std::string_view value;
    if (equals != std::string_view::npos) {
      if (!option->takesValue) return fail(std::string(name) + " takes no value");
      value = argument.substr(equals + 1);
    } else if (option->takesValue) {
      if (i + 1 == arguments.size()) return fail(std::string(name) + " needs a value");
      value = arguments[++i];
    }
    if (Error error = option->apply(value, parsed.options)) return fail(std::move(*error));
  }
  if (parsed.options.addresses.empty() && !parsed.options.addressFile) {
    return fail("no post addresses: give ADDRESS arguments or --addresses FILE");
  }
  return parsed;
}

}  // namespace app
