// tervane-collect: the collection engine without a window, for scripts and servers.

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CollectOptions.h"
#include "app/ConsoleOutput.h"
#include "app/ConsoleProgress.h"
#include "app/InputFiles.h"
#include "app/Interruption.h"
#include "collector/CollectionRun.h"
#include "collector/ResultLines.h"
#include "platform/AllocatorTuning.h"
#include "platform/FileReplacement.h"
#include "text/Conversions.h"
#include "web/Cookie.h"
#include "web/SessionShare.h"

namespace {

constexpr int kBadOptions = 2;
constexpr int kFailed = 1;
constexpr int kInterrupted = 130;

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "tervane-collect: %s\n", message.c_str());
  return status;
}

// Adds the cookies of a Netscape cookies file to the shared store; false when it is unreadable.
bool LoadCookies(const std::string& path, std::string& error) {
  const std::optional<std::string> content = app::ReadInputFile(path, error);
  if (!content) return false;
  const web::CookieFile file = web::ReadCookieFile(*content);
  for (const web::Cookie& cookie : file.cookies) {
    web::SessionShare::Instance().StoreCookie(cookie);
  }
  for (const std::size_t line : file.badLines) {
    std::fprintf(stderr, "tervane-collect: warning: %s:%zu: not a cookie line, skipped\n",
                 path.c_str(), line);
  }
  return true;
}

collector::ValuePanel::Inputs PanelInputs(const app::CollectOptions& options,
                                          const std::vector<text::Text>& addresses) {
  collector::ValuePanel::Inputs inputs;
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    if (i > 0) inputs.addressList += "\r\n";
    inputs.addressList += addresses[i];
  }
  inputs.lineTemplate = options.lineTemplate;
  inputs.startPage = text::ToText(options.startPage);
  inputs.endPage = text::ToText(options.endPage);
  inputs.delay1 = text::ToText(options.delayLow);
  inputs.delay2 = text::ToText(options.delayHigh);
  inputs.repost = options.type == collector::CollectType::Repost;
  inputs.like = options.type == collector::CollectType::Like;
  inputs.dateOnly = !options.fullTime;
  return inputs;
}

// Writes the result file as the window's save does: GBK with CR LF, the header line first for a
// name ending in ".csv".
bool Save(const std::string& path, const text::Text& lineTemplate,
          const std::vector<text::Text>& blocks, std::string& error) {
  const text::Text header =
      collector::IsCsvFileName(path) ? collector::CsvHeaderLine(lineTemplate) + "\r\n" : "";
  std::vector<std::string_view> parts{header};
  parts.insert(parts.end(), blocks.begin(), blocks.end());
  return platform::ReplaceFile(path, parts, error);
}

// The blocks as one text, each block's memory given back as soon as it was copied.
text::Text JoinBlocks(std::vector<text::Text>& blocks) {
  std::size_t size = 0;
  for (const text::Text& block : blocks) {
    size += block.size();
  }
  text::Text all;
  all.reserve(size);
  for (text::Text& block : blocks) {
    all += block;
    text::Text().swap(block);
  }
  return all;
}

int Collect(const app::CollectOptions& options) {
  std::vector<text::Text> addresses = options.addresses;
  std::string error;
  if (options.addressFile) {
    const std::optional<std::string> content = app::ReadInputFile(*options.addressFile, error);
    if (!content) {
      return Fail(kBadOptions,
                  "cannot read the addresses file " + *options.addressFile + ": " + error);
    }
    const std::vector<text::Text> lines = app::AddressLines(*content);
    addresses.insert(addresses.end(), lines.begin(), lines.end());
  }
  if (options.cookieFile && !LoadCookies(*options.cookieFile, error)) {
    return Fail(kBadOptions, "cannot read the cookies file " + *options.cookieFile + ": " + error);
  }

  // Pages go to standard output as they come, unless duplicates must go first; the result is
  // kept in memory only when the end needs it.
  const bool keep = options.dedupe || options.saveFile;
  app::ConsoleOutput output(stdout, options.encoding, !options.dedupe, keep);
  output.inputs = PanelInputs(options, addresses);
  app::ConsoleProgress progress(stderr, !options.quiet, ::isatty(STDERR_FILENO) == 1, output);
  output.beforeWrite = [&progress] { progress.ClearStatusLine(); };

  const app::InterruptionGuard interruption;
  collector::CollectionRun* running = nullptr;
  app::InterruptiblePump pump([&running] { running->RequestStop(); });
  collector::CollectionRun run(output, pump,
                               {.serviceHost = options.serviceHost,
                                .timeoutSeconds = options.timeoutSeconds,
                                .observer = &progress});
  running = &run;
  run.StartOrStopCollection();
  const bool interrupted = app::InterruptionGuard::Interrupted();
  progress.Finish(interrupted);

  std::vector<text::Text>& blocks = output.keptBlocks();
  if (options.dedupe) {
    text::Text all = JoinBlocks(blocks);
    collector::RemoveDuplicateLines(all);
    blocks.clear();
    blocks.push_back(std::move(all));
    output.Write(blocks.front());
  }
  // The file is written even when standard output failed, so the result is not lost.
  int status = interrupted ? kInterrupted : 0;
  if (options.saveFile && !Save(*options.saveFile, options.lineTemplate, blocks, error)) {
    status = Fail(kFailed, "cannot save " + *options.saveFile + ": " + error);
  }
  if (!output.writeError().empty()) {
    status = Fail(kFailed, "cannot write the output: " + output.writeError());
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  platform::KeepFreedMemoryForReuse();
  const app::ParsedCommandLine parsed =
      app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (parsed.action) {
    case app::ParsedCommandLine::Action::kHelp:
      std::fputs(app::kUsage, stdout);
      return 0;
    case app::ParsedCommandLine::Action::kVersion:
      std::printf("tervane-collect (Tervane) %s\n", TERVANE_VERSION);
      return 0;
    case app::ParsedCommandLine::Action::kError:
      return Fail(kBadOptions, parsed.error + " (see tervane-collect --help)");
    case app::ParsedCommandLine::Action::kCollect:
      break;
  }
  return Collect(parsed.options);
}
