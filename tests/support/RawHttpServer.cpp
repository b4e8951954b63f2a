#include "RawHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <stdexcept>

namespace test {

namespace {

// A socket bound to 127.0.0.1 on a free port, and that port.
int BindLoopback(int& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(fd);
    throw std::runtime_error("bind failed");
  }
  port = ntohs(address.sin_port);
  return fd;
}

// The length of the first complete request in `buffer` (head and Content-Length body), or 0.
std::size_t CompleteRequestLength(const std::string& buffer) {
  const std::size_t headEnd = buffer.find("\r\n\r\n");
  if (headEnd == std::string::npos) return 0;
  std::size_t bodyLength = 0;
  std::string head = buffer.substr(0, headEnd);
  for (char& c : head) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (const std::size_t at = head.find("\r\ncontent-length:"); at != std::string::npos) {
    bodyLength = std::stoul(head.substr(at + 17));
  }
  const std::size_t total = headEnd + 4 + bodyLength;
  return buffer.size() >= total ? total : 0;
}

bool SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

}  // namespace

RawHttpServer::RawHttpServer(Responder responder) : m_responder(std::move(responder)) {
  m_listener = BindLoopback(m_port);
  if (listen(m_listener, 64) != 0 || pipe2(m_stopPipe, O_CLOEXEC) != 0) {
    close(m_listener);
    throw std::runtime_error("listen failed");
  }
  m_acceptor = std::thread([this] { AcceptLoop(); });
}

RawHttpServer::~RawHttpServer() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
    for (const int connection : m_connections) {
      shutdown(connection, SHUT_RDWR);
    }
  }
  const char stop = 0;
  static_cast<void>(write(m_stopPipe[1], &stop, 1));
  m_acceptor.join();
  for (std::thread& server : m_servers) {
    server.join();
  }
  for (const int connection : m_connections) {
    close(connection);
  }
  close(m_listener);
  close(m_stopPipe[0]);
  close(m_stopPipe[1]);
}

std::string RawHttpServer::Address(std::string_view path) const {
  return "http://" + HostAndPort() + std::string(path);
}

std::string RawHttpServer::HostAndPort() const {
  return "127.0.0.1:" + std::to_string(m_port);
}

std::vector<std::string> RawHttpServer::Requests() {
  const std::lock_guard lock(m_mutex);
  return m_requests;
}

void RawHttpServer::AcceptLoop() {
  while (true) {
    pollfd waits[2] = {{m_listener, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
    if (poll(waits, 2, -1) < 0) continue;
    if (waits[1].revents != 0) return;
    const int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    const std::lock_guard lock(m_mutex);
    if (m_stopping) {
      close(connection);
      return;
    }
    m_connections.push_back(connection);
    m_servers.emplace_back([this, connection] { Serve(connection); });
  }
}

void RawHttpServer::Serve(int connection) {
  std::string buffer;
  char chunk[65536];
  bool open = true;
  while (open) {
    const ssize_t received = recv(connection, chunk, sizeof chunk, 0);
    if (received <= 0) break;
    buffer.append(chunk, static_cast<std::size_t>(received));
    while (std::size_t length = CompleteRequestLength(buffer)) {
      const std::string request = buffer.substr(0, length);
      buffer.erase(0, length);
      {
        const std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
      }
      const std::string answer = m_responder(request);
      if (!SendAll(connection, answer) || answer.find("Connection: close") != std::string::npos) {
        open = false;
        break;
      }
    }
  }
  // The descriptor stays open until the server goes, so that the destructor's shutdown never
  // hits a number the system has given to someone else meanwhile.
  shutdown(connection, SHUT_RDWR);
}

std::string HttpAnswer(std::string_view body, std::string_view headerLines,
                       std::string_view statusLine) {
  return std::string(statusLine) + "\r\n" + std::string(headerLines) +
         "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

SilentServer::SilentServer() {
  m_listener = BindLoopback(m_port);
  if (listen(m_listener, 4096) != 0) {
    close(m_listener);
    throw std::runtime_error("listen failed");
  }
}

SilentServer::~SilentServer() {
  close(m_listener);
}

std::string SilentServer::Address() const {
  return "http://127.0.0.1:" + std::to_string(m_port) + "/silent";
}

int UnusedPort() {
  int port = 0;
  close(BindLoopback(port));
  return port;
}

}  // namespace test
