#include "StandIns.h"

#include <signal.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

StandInFolder::StandInFolder(const std::string& name) : root_(fs::current_path() / ("scratch-" + name)) {
  fs::remove_all(root_);
  fs::create_directories(root_);
}

StandInFolder::~StandInFolder() {
  StopStandIns();
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void StandInFolder::AddStandIn(const std::string& relativePath, const std::string& label) {
  AddFile(relativePath, "#!/bin/sh\necho \"" + label + " $$ $PWD $*\" >> '" + (root_ / "records.txt").string() +
                            "'\nexec sleep 60\n");
  fs::permissions(root_ / relativePath, fs::perms::owner_all, fs::perm_options::add);
}

void StandInFolder::AddFile(const std::string& relativePath, const std::string& text) {
  const fs::path path = root_ / relativePath;
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

std::vector<std::string> StandInFolder::Records() const {
  std::vector<std::string> lines;
  std::ifstream file(root_ / "records.txt");
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> StandInFolder::WaitForRecords(std::size_t count, double timeoutSeconds) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  std::vector<std::string> lines = Records();
  while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
    SleepSeconds(0.05);
    lines = Records();
  }
  return lines;
}

void StandInFolder::StopStandIns() const {
  for (const std::string& line : Records())
    if (const int pid = ParseRecord(line).pid; pid > 0) kill(pid, SIGTERM);
}

StandInRecord ParseRecord(const std::string& line) {
  StandInRecord record;
  std::istringstream fields(line);
  fields >> record.label >> record.pid >> record.folder;
  for (std::string argument; fields >> argument;) record.arguments.push_back(argument);
  return record;
}

void SleepSeconds(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }
