#include "support/SimProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/FileHandle.h"

extern char** environ;

namespace test {

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return;
  platform::FileHandle readEnd(pipeEnds[0]);
  platform::FileHandle writeEnd(pipeEnds[1]);

  std::vector<std::string> storage{TERVANE_SIM_PATH};
  storage.insert(storage.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  argv.reserve(storage.size() + 1);
  for (std::string& argument : storage) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, readEnd.get());
  const int spawned = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  writeEnd.reset();
  if (spawned != 0) {
    m_pid = -1;
    return;
  }

  std::string line;
  char c = 0;
  while (::read(readEnd.get(), &c, 1) == 1 && c != '\n') {
    line += c;
  }
  constexpr std::string_view kPrefix = "listening on 127.0.0.1:";
  if (line.starts_with(kPrefix)) {
    m_port = static_cast<int>(std::strtol(line.c_str() + kPrefix.size(), nullptr, 10));
  }
}

SimProcess::~SimProcess() {
  if (m_pid <= 0) return;
  ::kill(m_pid, SIGTERM);
  int status = 0;
  ::waitpid(m_pid, &status, 0);
}

}  // namespace test
