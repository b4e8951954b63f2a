#pragma once

// Loopback servers at the socket level, for tests that must see a request exactly as it was
// sent or answer with bytes no HTTP library would produce.

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace test {

// An HTTP/1.1 server on 127.0.0.1 that keeps every request (head and body) byte for byte and
// answers each with what the responder returns for it. Connections stay open for further
// requests unless the answer holds "Connection: close".
class RawHttpServer {
 public:
  using Responder = std::function<std::string(const std::string& request)>;

  explicit RawHttpServer(Responder responder);
  ~RawHttpServer();  // closes every connection and joins every thread
  RawHttpServer(const RawHttpServer&) = delete;
  RawHttpServer& operator=(const RawHttpServer&) = delete;

  int port() const { return m_port; }
  // "http://127.0.0.1:PORT" followed by `path`.
  std::string Address(std::string_view path = "/") const;
  // "127.0.0.1:PORT", as a Host line names it.
  std::string HostAndPort() const;
  std::vector<std::string> Requests();

 private:
  void AcceptLoop();
  void Serve(int connection);

  Responder m_responder;
  int m_listener = -1;
  int m_port = 0;
  int m_stopPipe[2] = {-1, -1};
  std::thread m_acceptor;
  std::mutex m_mutex;
  bool m_stopping = false;
  std::vector<int> m_connections;
  std::vector<std::thread> m_servers;
  std::vector<std::string> m_requests;
};

// A complete answer: the status line, the given header lines, Content-Length and the body.
std::string HttpAnswer(std::string_view body, std::string_view headerLines = "",
                       std::string_view statusLine = "HTTP/1.1 200 OK");

// A port on 127.0.0.1 that takes connections into its backlog and never answers: every request
// to it waits until its caller gives up.
class SilentServer {
 public:
  SilentServer();
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;
  std::string Address() const;

 private:
  int m_listener = -1;
  int m_port = 0;
};

// A port on 127.0.0.1 that nothing listens on, so a connection to it is refused.
int UnusedPort();

}  // namespace test
