// The shell's "open" verb: programs are started directly, everything else goes to xdg-open.

#include "launcher/platform/ShellApi.h"

#include <glib.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

bool EqualsIgnoringCase(const std::string& a, const char* b) { return g_ascii_strcasecmp(a.c_str(), b) == 0; }

std::string WithSlashes(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

// "scheme:..." with a scheme of at least two characters, so that "C:\..." stays a file.
bool IsUrl(const std::string& name) {
  const std::size_t colon = name.find(':');
  if (colon == std::string::npos || colon < 2 || !g_ascii_isalpha(name[0])) return false;
  for (std::size_t i = 1; i < colon; ++i)
    if (!g_ascii_isalnum(name[i]) && name[i] != '+' && name[i] != '-' && name[i] != '.') return false;
  return true;
}

std::string Absolute(const std::string& path, const char* base) {
  gchar* absolute = g_canonicalize_filename(path.c_str(), base);
  std::string result(absolute);
  g_free(absolute);
  return result;
}

bool HasExeSuffix(const std::string& name) {
  return name.size() > 4 && EqualsIgnoringCase(name.substr(name.size() - 4), ".exe");
}

std::vector<std::string> SplitParameters(const char* parameters) {
  std::vector<std::string> words;
  std::istringstream stream(parameters ? parameters : "");
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

INT_PTR ResultOfSpawnError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return SE_ERR_FNF;
    case EACCES:
    case EPERM:
      return SE_ERR_ACCESSDENIED;
    case ENOMEM:
      return SE_ERR_OOM;
    default:
      return SE_ERR_NOASSOC;
  }
}

void ForgetChild(GPid, gint, gpointer) {}

// Starts the program without a shell and without waiting; its exit is collected in the
// background so that it leaves no zombie behind.
INT_PTR Spawn(const std::string& program, const std::vector<std::string>& arguments, bool searchPath,
              const std::string& directory) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t child = 0;
  const int error = searchPath ? posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ)
                               : posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error) return ResultOfSpawnError(error);
  g_child_watch_add(child, ForgetChild, nullptr);
  return SE_STARTED;
}

INT_PTR Open(LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory) {
  if (verb && !EqualsIgnoringCase(verb, "open")) return SE_ERR_NOASSOC;
  if (!file || !*file) return SE_ERR_FNF;
  const std::string name = WithSlashes(file);
  if (IsUrl(name)) return Spawn("xdg-open", {name}, true, "");

  // The program runs in the given folder, so its name is made absolute before the change.
  const std::string folder = directory && *directory ? Absolute(WithSlashes(directory), nullptr) : std::string();
  const std::string path = folder.empty() ? name : Absolute(name, folder.c_str());
  if (HasExeSuffix(path)) {
    const std::string program = path.substr(0, path.size() - 4);
    if (access(program.c_str(), X_OK) != 0) return ResultOfSpawnError(errno);
    return Spawn(program, SplitParameters(parameters), false, folder);
  }
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return ResultOfSpawnError(errno);
  if (S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0)
    return Spawn(path, SplitParameters(parameters), false, folder);
  return Spawn("xdg-open", {path}, true, "");
}

}  // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT) {
  return reinterpret_cast<HINSTANCE>(Open(verb, file, parameters, directory));
}
