#include "platform/win/WinShell.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win/WinFiles.h"

extern char** environ;

namespace {

HINSTANCE Result(std::intptr_t code)
{
    return reinterpret_cast<HINSTANCE>(code);
}

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The native program a name stands for, or empty when it names no program.
std::string ProgramPath(const std::string& name)
{
    constexpr std::string_view suffix = ".exe";
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
        const std::string native = name.substr(0, name.size() - suffix.size());
        if (IsExecutableFile(native))
            return native;
    }
    return IsExecutableFile(name) ? name : std::string();
}

bool Spawn(const std::string& program, const std::vector<std::string>& arguments, bool searchPath)
{
    // Children are never waited for; let the system reap them.
    ::signal(SIGCHLD, SIG_IGN);
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int error = searchPath ? ::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ)
                                 : ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    return error == 0;
}

} // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int)
{
    if (!file || !*file || (verb && std::strcmp(verb, "open") != 0))
        return Result(SE_ERR_NOASSOC);
    std::string target = NativePath(file);
    if (directory && *directory && target.front() != '/' && target.find("://") == std::string::npos)
        target = NativePath(directory) + "/" + target;

    if (const std::string program = ProgramPath(target); !program.empty()) {
        std::vector<std::string> arguments {program};
        if (parameters && *parameters)
            arguments.emplace_back(parameters);
        return Result(Spawn(program, arguments, false) ? 42 : SE_ERR_FNF);
    }
    const bool isUrl = target.find("://") != std::string::npos;
    if (!isUrl && ::access(target.c_str(), F_OK) != 0)
        return Result(SE_ERR_FNF);
    return Result(Spawn("xdg-open", {"xdg-open", target}, true) ? 42 : SE_ERR_NOASSOC);
}
