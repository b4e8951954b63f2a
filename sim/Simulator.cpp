#include "sim/Simulator.h"

#include <httplib.h>

#include <netinet/in.h>
#include <sys/socket.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace sim {
namespace {

constexpr const char* kHtmlUtf8 = "text/html; charset=utf-8";
constexpr std::size_t kProviderChunk = std::size_t{64} * 1024;

int PageParameter(const httplib::Request& request) {
  const std::string text = request.get_param_value("page");
  int page = 1;
  if (!text.empty()) std::from_chars(text.data(), text.data() + text.size(), page);
  return page;
}

std::string ContentType(const char* kind, const char* charset) {
  return std::string(kind) + "; charset=" + charset;
}

std::string PostPageContentType(PageEncoding encoding) {
  switch (encoding) {
    case PageEncoding::Utf8:
      return ContentType("text/html", "utf-8");
    case PageEncoding::Gbk:
      return ContentType("text/html", "GBK");
    case PageEncoding::Big5:
      return ContentType("text/html", "Big5");
  }
  return kHtmlUtf8;
}

std::string ErrorPage(long long status) {
  const std::string code = std::to_string(status);
  return "<!DOCTYPE html><html><head><title>" + code + "</title></head><body><h1>" + code +
         "</h1></body></html>";
}

// Serves `body` but stops after `sent` bytes of it, padding with spaces up to `length`.
void ProvideBody(httplib::Response& response, std::string body, std::size_t length,
                 std::size_t sent, const std::string& contentType) {
  response.set_content_provider(
      length, contentType,
      [body = std::move(body), sent](std::size_t offset, std::size_t length,
                                     httplib::DataSink& sink) {
        if (offset >= sent) return false;  // the connection closes mid-body
        const std::size_t count = std::min({length, kProviderChunk, sent - offset});
        if (offset >= body.size()) {
          const std::string padding(count, ' ');
          return sink.write(padding.data(), padding.size());
        }
        const std::size_t fromBody = std::min(count, body.size() - offset);
        return sink.write(body.data() + offset, fromBody);
      });
}

std::string WithRedirectMark(const std::string& target) {
  return target + (target.find('?') == std::string::npos ? "?" : "&") + "_redirected=1";
}

std::string SessionFromCookies(const std::string& cookies) {
  const std::string key = std::string(kSessionCookie) + "=";
  for (std::size_t at = 0; at < cookies.size();) {
    while (at < cookies.size() && cookies[at] == ' ') {
      ++at;
    }
    const std::size_t end = std::min(cookies.find(';', at), cookies.size());
    if (cookies.compare(at, key.size(), key) == 0) {
      return cookies.substr(at + key.size(), end - at - key.size());
    }
    at = end + 1;
  }
  return {};
}

// Shuts down every connection this process accepted on `port`. The server waits out a client's
// idle keep-alive connection before it stops; a client that keeps connections for reuse (as
// the collector does) would hold every stop for the whole keep-alive timeout.
void ShutDownConnectionsOn(int port) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    const std::string name = entry.path().filename().string();
    int fd = -1;
    std::from_chars(name.data(), name.data() + name.size(), fd);
    sockaddr_in local{};
    socklen_t length = sizeof local;
    int listening = 0;
    socklen_t flagLength = sizeof listening;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
        local.sin_family != AF_INET || ntohs(local.sin_port) != port ||
        getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &flagLength) != 0 || listening) {
      continue;
    }
    shutdown(fd, SHUT_RDWR);
  }
}

}  // namespace

Simulator::Simulator(SimulatorOptions options)
    : m_options(std::move(options)),
      m_fixture(m_options.size),
      m_server(std::make_unique<httplib::Server>()) {
  // Without it the header and body writes of an answer wait out the client's delayed
  // acknowledgement, some 40 ms per request on loopback.
  m_server->set_tcp_nodelay(true);
  Route();
}

Simulator::~Simulator() {
  Stop();
}

bool Simulator::Start() {
  if (m_options.port == 0) {
    m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port <= 0) return false;
  } else {
    if (!m_server->bind_to_port("127.0.0.1", m_options.port)) return false;
    m_port = m_options.port;
  }
  m_thread = std::thread([this] { m_server->listen_after_bind(); });
  // stop() only takes effect once the server runs, so Start returns when it does.
  while (!m_server->is_running()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void Simulator::Stop() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_stopped.notify_all();
  if (m_thread.joinable()) {
    m_server->stop();
    ShutDownConnectionsOn(m_port);
    m_thread.join();
  }
}

std::string Simulator::ServiceHost() const {
  return "127.0.0.1:" + std::to_string(m_port);
}

std::vector<std::string> Simulator::PostAddresses() const {
  std::vector<std::string> addresses;
  for (const Post& post : m_fixture.posts()) {
    addresses.push_back("http://" + ServiceHost() + post.Path());
  }
  return addresses;
}

void Simulator::Route() {
  using httplib::Request;
  using httplib::Response;
  m_server->Get("/", [this](const Request& q, Response& r) { ServeHome(q, r); });
  m_server->Get("/login", [this](const Request& q, Response& r) { ServeLogin(q, r); });
  m_server->Post("/login", [this](const Request& q, Response& r) { ServeLogin(q, r); });
  m_server->Get("/logout", [this](const Request& q, Response& r) { ServeLogout(q, r); });
  m_server->Get("/aj/comment/big",
                [this](const Request& q, Response& r) { ServeListing(q, r, Listing::Comment); });
  m_server->Get("/aj/mblog/info/big",
                [this](const Request& q, Response& r) { ServeListing(q, r, Listing::Repost); });
  m_server->Get("/aj/like/big",
                [this](const Request& q, Response& r) { ServeListing(q, r, Listing::Like); });
  m_server->Get(R"(/(\d+)/(\w+))", [this](const Request& q, Response& r) { ServePost(q, r); });
  m_server->set_error_handler([](const Request&, Response& r) {
    if (r.body.empty()) r.set_content(ErrorPage(r.status), kHtmlUtf8);
  });
  if (m_options.logRequests) {
    m_server->set_logger([](const Request& q, const Response& r) {
      std::fprintf(stderr, "%s %s -> %d\n", q.method.c_str(), q.target.c_str(), r.status);
    });
  }
}

void Simulator::ServeHome(const httplib::Request& request, httplib::Response& response) {
  std::string posts;
  for (const std::string& address : PostAddresses()) {
    posts.append("<li><a href=\"")
        .append(address)
        .append("\">")
        .append(address)
        .append("</a></li>");
  }
  const bool in = LoggedIn(request);
  response.set_content(
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>微博 - Tervane 模拟服务</title>"
      "</head><body><h1>Tervane 模拟服务</h1><p id=\"state\">" +
          std::string(in ? "已登录" : "未登录") +
          "</p><p><a id=\"login\" href=\"/login\">登录</a> <a id=\"logout\" "
          "href=\"/logout\">退出</a></p><ul id=\"posts\">" +
          posts + "</ul></body></html>",
      kHtmlUtf8);
}

void Simulator::ServeLogin(const httplib::Request& request, httplib::Response& response) {
  const std::string user = request.get_param_value("username");
  if (request.method == "POST" && !user.empty()) {
    std::string session;
    {
      const std::lock_guard lock(m_mutex);
      session = "tervane-" + std::to_string(m_port) + "-" + std::to_string(m_nextSession++);
      m_sessions.insert(session);
    }
    // The session cookie ends with the browser session unless the user asks to stay logged in.
    std::string cookie = std::string(kSessionCookie) + "=" + session + "; Path=/; HttpOnly";
    if (!request.get_param_value("remember").empty()) cookie += "; Max-Age=2592000";
    response.set_header("Set-Cookie", cookie);
    response.set_redirect("/");
    return;
  }
  const char* note = request.method == "POST" ? "<p id=\"error\">请输入用户名</p>" : "";
  response.set_content(
      std::string("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>登录 - 微博</title>"
                  "</head><body><h1>登录</h1>") +
          note +
          "<form id=\"login-form\" method=\"post\" action=\"/login\">"
          "<label>用户名 <input id=\"username\" name=\"username\"></label>"
          "<label>密码 <input id=\"password\" name=\"password\" type=\"password\"></label>"
          "<label><input id=\"remember\" name=\"remember\" type=\"checkbox\" value=\"1\">"
          "下次自动登录</label>"
          "<button id=\"submit\" type=\"submit\">登录</button></form></body></html>",
      kHtmlUtf8);
}

void Simulator::ServeLogout(const httplib::Request& request, httplib::Response& response) {
  {
    const std::lock_guard lock(m_mutex);
    m_sessions.erase(SessionFromCookies(request.get_header_value("Cookie")));
  }
  response.set_header("Set-Cookie", std::string(kSessionCookie) +
                                        "=deleted; Path=/; Max-Age=0; Expires=Thu, 01 Jan 1970 "
                                        "00:00:00 GMT");
  response.set_redirect("/");
}

void Simulator::ServePost(const httplib::Request& request, httplib::Response& response) {
  const Post* found = nullptr;
  for (const Post& post : m_fixture.posts()) {
    if (post.Path() == request.path) found = &post;
  }
  if (!found) {
    response.status = 404;
    return;
  }
  const std::string page = m_fixture.PostPage(*found);
  const std::string type = PostPageContentType(found->pageEncoding);
  if (ApplyFaults(request, response, false, 0, page, type)) return;
  response.set_content(page, type);
}

void Simulator::ServeListing(const httplib::Request& request, httplib::Response& response,
                             Listing listing) {
  const int page = PageParameter(request);
  // Likes name the post by "mid", the other listings by "id", as the service does.
  const std::string mid = request.get_param_value(listing == Listing::Like ? "mid" : "id");
  const Post* post = m_fixture.FindPost(mid);
  std::string answer;
  if (m_options.requireLogin && !LoggedIn(request)) {
    answer = R"({"code":"100002","msg":"login required","data":{}})";
  } else if (!post) {
    answer = R"({"code":"100001","msg":"no such post","data":{}})";
  } else {
    answer = m_fixture.ListingAnswer(*post, listing, page);
  }
  const std::string type = ContentType(
      "application/json", post && post->listingBody == ListingBody::RawGbk ? "GBK" : "utf-8");
  if (ApplyFaults(request, response, true, page, answer, type)) return;
  response.set_content(answer, type);
}

bool Simulator::ApplyFaults(const httplib::Request& request, httplib::Response& response,
                            bool listing, int page, const std::string& body,
                            const std::string& contentType) {
  for (const Fault& fault : m_options.faults) {
    if (fault.kind == FaultKind::Delay && fault.AppliesTo(listing, page)) Pause(fault.value);
  }
  for (const Fault& fault : m_options.faults) {
    if (!fault.AppliesTo(listing, page)) continue;
    switch (fault.kind) {
      case FaultKind::Delay:
        break;
      case FaultKind::Reset:
        ProvideBody(response, body, body.size(), body.size() / 2, contentType);
        return true;
      case FaultKind::Status:
        response.status = static_cast<int>(fault.value);
        response.set_content(ErrorPage(fault.value), kHtmlUtf8);
        return true;
      case FaultKind::Redirect:
        if (request.has_param("_redirected")) break;
        response.set_redirect(WithRedirectMark(request.target));
        return true;
      case FaultKind::RedirectLoop:
        response.set_redirect(request.target);
        return true;
      case FaultKind::Oversize: {
        const auto length = static_cast<std::size_t>(fault.value);
        if (length <= body.size()) break;
        ProvideBody(response, body, length, length, contentType);
        return true;
      }
    }
  }
  return false;
}

bool Simulator::LoggedIn(const httplib::Request& request) {
  const std::string session = SessionFromCookies(request.get_header_value("Cookie"));
  const std::lock_guard lock(m_mutex);
  return !session.empty() && m_sessions.count(session) > 0;
}

void Simulator::Pause(long long milliseconds) {
  std::unique_lock lock(m_mutex);
  m_stopped.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_stopping; });
}

}  // namespace sim
