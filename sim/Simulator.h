#pragma once

// The local service simulator: an HTTP/1.1 server on loopback that answers like the service's
// post pages, asynchronous listings and login, from a generated fixture.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "sim/Faults.h"
#include "sim/Fixture.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace sim {

struct SimulatorOptions {
  FixtureSize size;
  int port = 0;               // 0: any free port
  bool requireLogin = false;  // listings answer only to a logged-in session cookie
  std::vector<Fault> faults;
  bool logRequests = false;  // print each request line to standard error
};

// The cookie the login form sets.
inline constexpr const char* kSessionCookie = "SUB";

class Simulator {
 public:
  explicit Simulator(SimulatorOptions options);
  ~Simulator();  // stops the server and joins its thread
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Binds 127.0.0.1 and starts serving on a thread of its own; false when the port is taken.
  bool Start();
  void Stop();

  int port() const { return m_port; }
  // "127.0.0.1:PORT": the service host a client is pointed at.
  std::string ServiceHost() const;
  std::vector<std::string> PostAddresses() const;
  const Fixture& fixture() const { return m_fixture; }

 private:
  void Route();
  void ServeHome(const httplib::Request& request, httplib::Response& response);
  void ServeLogin(const httplib::Request& request, httplib::Response& response);
  void ServeLogout(const httplib::Request& request, httplib::Response& response);
  void ServePost(const httplib::Request& request, httplib::Response& response);
  void ServeListing(const httplib::Request& request, httplib::Response& response, Listing listing);
  // Applies the faults for this request; true when one of them already made the response.
  bool ApplyFaults(const httplib::Request& request, httplib::Response& response, bool listing,
                   int page, const std::string& body, const std::string& contentType);
  bool LoggedIn(const httplib::Request& request);
  // Sleeps, but returns early when the server stops.
  void Pause(long long milliseconds);

  SimulatorOptions m_options;
  Fixture m_fixture;
  std::unique_ptr<httplib::Server> m_server;
  std::thread m_thread;
  int m_port = 0;

  std::mutex m_mutex;
  std::condition_variable m_stopped;
  bool m_stopping = false;
  std::set<std::string> m_sessions;
  unsigned m_nextSession = 1;
};

}  // namespace sim
