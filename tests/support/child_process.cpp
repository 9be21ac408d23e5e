// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_process.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testing_support {

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& log,
            int keepFd)
{
    std::vector<std::string> entries;
    for (char** e = environ; *e; ++e) entries.emplace_back(*e);
    for (const std::string& extra : env) {
        const std::string name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(entries, [&](const std::string& e) { return e.compare(0, name.size(), name) == 0; });
        entries.push_back(extra);
    }
    // Everything is made before fork: the child of a threaded program may only call the system.
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (std::string& e : entries) envp.push_back(e.data());
    args.push_back(nullptr);
    envp.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) {
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
        for (int fd = 3; fd < 256; ++fd)
            if (fd != keepFd) ::close(fd);
        ::execvpe(args[0], args.data(), envp.data());
        ::_exit(127);
    }
    return pid;
}

int waitExit(pid_t pid, int milliseconds)
{
    int status = 0;
    const bool ended = waitUntil([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, milliseconds);
    if (!ended) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void stop(pid_t pid)
{
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    if (waitExit(pid, 3000) < 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
}

bool waitUntil(const std::function<bool()>& condition, int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

}  // namespace testing_support
