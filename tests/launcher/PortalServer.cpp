#include "PortalServer.h"

#include "StandIns.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <sstream>

PortalServer::PortalServer(int port, std::string page) : page_(std::move(page)) {
  socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int reuse = 1;
  setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof(reuse));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(socket_, 16) != 0) {
    close(socket_);
    socket_ = -1;
    return;
  }
  thread_ = std::thread([this] { Serve(); });
}

PortalServer::~PortalServer() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  if (socket_ >= 0) close(socket_);
}

std::vector<std::string> PortalServer::Targets() const {
  std::lock_guard lock(mutex_);
  return targets_;
}

bool PortalServer::WaitForTarget(const std::string& target, double timeoutSeconds) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  for (;;) {
    const std::vector<std::string> targets = Targets();
    if (std::find(targets.begin(), targets.end(), target) != targets.end()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    SleepSeconds(0.05);
  }
}

void PortalServer::Serve() {
  while (!stopping_) {
    pollfd listening{socket_, POLLIN, 0};
    if (poll(&listening, 1, 100) <= 0) continue;
    const int connection = accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    Answer(connection);
    close(connection);
  }
}

void PortalServer::Answer(int connection) {
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    pollfd readable{connection, POLLIN, 0};
    if (poll(&readable, 1, 2000) <= 0) return;
    const ssize_t received = recv(connection, buffer, sizeof(buffer), 0);
    if (received <= 0) return;
    request.append(buffer, static_cast<std::size_t>(received));
  }
  std::istringstream requestLine(request.substr(0, request.find("\r\n")));
  std::string method, target;
  requestLine >> method >> target;
  {
    std::lock_guard lock(mutex_);
    targets_.push_back(target);
  }
  const std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                               "Content-Length: " + std::to_string(page_.size()) + "\r\n\r\n" + page_;
  send(connection, response.data(), response.size(), MSG_NOSIGNAL);
}
