#pragma once
// A loopback HTTP server standing in for the portal: it answers every request with a small
// page and remembers the request targets.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PortalServer {
 public:
  // Listens on 127.0.0.1 at the port and answers with the page; Listening() tells whether
  // that worked.
  PortalServer(int port, std::string page);
  ~PortalServer();

  bool Listening() const { return socket_ >= 0; }
  std::vector<std::string> Targets() const;
  // Waits up to the timeout for a request with the target; true when it came.
  bool WaitForTarget(const std::string& target, double timeoutSeconds) const;

 private:
  void Serve();
  void Answer(int connection);

  std::string page_;
  int socket_ = -1;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> targets_;
  std::thread thread_;
};
