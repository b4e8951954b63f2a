// tervane-sim: runs the local service simulator until interrupted.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "sim/FixtureFiles.h"
#include "sim/Simulator.h"

namespace {

constexpr const char* kUsage = R"(usage: tervane-sim [options]
Serves post pages, comment/repost/like listings and a login page on 127.0.0.1.
  --port N             port to listen on (default: any free port)
  --seed N             fixture seed (default 1)
  --posts N            posts in the fixture (default 3)
  --pages N            listing pages per post and listing (default 3)
  --users N            users per listing page (default 10)
  --require-login      listings answer only to a logged-in session (log in at /login)
  --fault WHAT         KIND[=VALUE][@post|@listing|@PAGE]; KIND is delay=MS, reset,
                       status=CODE, redirect, redirect-loop or oversize=BYTES (repeatable)
  --fixtures DIR       write addresses.txt and the expected lines into DIR
  --log                print each request to standard error
Prints "listening on 127.0.0.1:PORT" once it serves.
)";

std::optional<long long> Number(std::string_view text) {
  char* end = nullptr;
  const std::string copy(text);
  const long long value = std::strtoll(copy.c_str(), &end, 10);
  if (copy.empty() || *end != '\0' || value < 0) return std::nullopt;
  return value;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "tervane-sim: %s\n%s", message.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  sim::SimulatorOptions options;
  std::string fixtureFolder;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    const bool hasValue = i + 1 < argc;
    auto numberFor = [&](auto& target) {
      using Target = std::remove_reference_t<decltype(target)>;
      const std::optional<long long> value = hasValue ? Number(argv[++i]) : std::nullopt;
      if (!value || static_cast<unsigned long long>(*value) > std::numeric_limits<Target>::max()) {
        return false;
      }
      target = static_cast<Target>(*value);
      return true;
    };
    if (option == "--help" || option == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (option == "--require-login") {
      options.requireLogin = true;
    } else if (option == "--log") {
      options.logRequests = true;
    } else if (option == "--fixtures" && hasValue) {
      fixtureFolder = argv[++i];
    } else if (option == "--fault" && hasValue) {
      std::string error;
      const auto fault = sim::ParseFault(argv[++i], error);
      if (!fault) return Fail(error);
      options.faults.push_back(*fault);
    } else if (option == "--port" || option == "--seed" || option == "--posts" ||
               option == "--pages" || option == "--users") {
      const bool read = option == "--port"    ? numberFor(options.port)
                        : option == "--seed"  ? numberFor(options.size.seed)
                        : option == "--posts" ? numberFor(options.size.posts)
                        : option == "--pages" ? numberFor(options.size.pages)
                                              : numberFor(options.size.usersPerPage);
      if (!read) return Fail(std::string(option) + " needs a whole number in range");
    } else {
      return Fail("unknown option " + std::string(option));
    }
  }

  if (options.port > 65535) return Fail("--port must be at most 65535");

  // The server's threads inherit this mask, so the signals reach only the sigwait below.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  sim::Simulator simulator(options);
  if (!simulator.Start()) return Fail("cannot listen on port " + std::to_string(options.port));
  if (!fixtureFolder.empty() &&
      !sim::WriteFixtureFiles(simulator.fixture(), simulator.PostAddresses(),
                              simulator.ServiceHost(), text::Now(), fixtureFolder)) {
    return Fail("cannot write the fixture files into " + fixtureFolder);
  }
  std::printf("listening on %s\n", simulator.ServiceHost().c_str());
  std::fflush(stdout);

  int signal = 0;
  sigwait(&stopSignals, &signal);
  return 0;
}
