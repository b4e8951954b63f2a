#include "support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace test {
namespace {

struct Pipe {
  platform::FileHandle read;
  platform::FileHandle write;
};

Pipe MakePipe() {
  int ends[2] = {-1, -1};
  if (::pipe2(ends, O_CLOEXEC) != 0) return {};
  return {platform::FileHandle(ends[0]), platform::FileHandle(ends[1])};
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           std::string input, bool captureErrors)
    : m_input(std::move(input)) {
  Pipe in = MakePipe();
  Pipe out = MakePipe();
  Pipe err = captureErrors ? MakePipe() : Pipe{};

  std::vector<std::string> storage{program};
  storage.insert(storage.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  argv.reserve(storage.size() + 1);
  for (std::string& argument : storage) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in.read.get(), STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out.write.get(), STDOUT_FILENO);
  if (captureErrors) posix_spawn_file_actions_adddup2(&actions, err.write.get(), STDERR_FILENO);
  const int spawned = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    m_pid = -1;
    return;
  }
  m_in = std::move(in.write);
  m_out = std::move(out.read);
  m_err = std::move(err.read);
  if (m_input.empty()) m_in.reset();
}

ChildProcess::~ChildProcess() {
  if (m_pid <= 0) return;
  ::kill(m_pid, SIGKILL);
  int status = 0;
  ::waitpid(m_pid, &status, 0);
}

void ChildProcess::Signal(int signal) {
  if (m_pid > 0) ::kill(m_pid, signal);
}

template <typename Done>
bool ChildProcess::PumpUntil(Done done) {
  while (!done()) {
    pollfd pipes[3] = {
        {m_in.get(), POLLOUT, 0}, {m_out.get(), POLLIN, 0}, {m_err.get(), POLLIN, 0}};
    if (!m_in.valid() && !m_out.valid() && !m_err.valid()) return false;
    if (::poll(pipes, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (pipes[0].revents != 0) {
      const ssize_t written = ::write(m_in.get(), m_input.data(), m_input.size());
      if (written > 0) m_input.erase(0, static_cast<std::size_t>(written));
      if (written <= 0 || m_input.empty()) m_in.reset();
    }
    const auto drain = [](pollfd& pipe, platform::FileHandle& handle, std::string& into) {
      if (pipe.revents == 0) return;
      char buffer[65536];
      const ssize_t got = ::read(handle.get(), buffer, sizeof buffer);
      if (got > 0) {
        into.append(buffer, static_cast<std::size_t>(got));
      } else {
        handle.reset();
      }
    };
    drain(pipes[1], m_out, m_output);
    drain(pipes[2], m_err, m_errors);
  }
  return true;
}

bool ChildProcess::WaitForOutput(std::string_view text) {
  return PumpUntil([&] { return m_output.find(text) != std::string::npos; });
}

bool ChildProcess::WaitForErrors(std::string_view text) {
  return PumpUntil([&] { return m_errors.find(text) != std::string::npos; });
}

int ChildProcess::Finish() {
  PumpUntil([] { return false; });
  if (m_pid <= 0) return -1;
  int status = 0;
  ::waitpid(m_pid, &status, 0);
  m_pid = -1;
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

}  // namespace test
