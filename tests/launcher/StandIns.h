#pragma once
// Scratch folders with stand-in programs that record how they were started.

#include <filesystem>
#include <string>
#include <vector>

class StandInFolder {
 public:
  // A fresh, empty folder under the test's working folder.
  explicit StandInFolder(const std::string& name);
  ~StandInFolder();

  const std::filesystem::path& Path() const { return root_; }

  // An executable script at the relative path that appends "<label> <pid> <cwd> <arguments>"
  // to the record file and then keeps running for a while.
  void AddStandIn(const std::string& relativePath, const std::string& label);
  void AddFile(const std::string& relativePath, const std::string& text);

  std::vector<std::string> Records() const;
  // Waits up to the timeout for at least `count` records.
  std::vector<std::string> WaitForRecords(std::size_t count, double timeoutSeconds) const;
  // Ends every stand-in that recorded itself.
  void StopStandIns() const;

 private:
  std::filesystem::path root_;
};

// The fields of one record: label, pid, working folder, then the arguments.
struct StandInRecord {
  std::string label;
  int pid = 0;
  std::string folder;
  std::vector<std::string> arguments;
};
StandInRecord ParseRecord(const std::string& line);

void SleepSeconds(double seconds);
