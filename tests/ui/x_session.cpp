// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_session.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/shell.h"

extern char** environ;

namespace uitest {

namespace {

bool onPath(const char* program) { return testing_support::shell(std::string("command -v ") + program).first == 0; }

void stop(pid_t pid)
{
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    if (waitExit(pid, 3000) < 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
}

}  // namespace

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& log)
{
    std::vector<std::string> entries;
    for (char** e = environ; *e; ++e) entries.emplace_back(*e);
    for (const std::string& extra : env) {
        const std::string name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(entries, [&](const std::string& e) { return e.compare(0, name.size(), name) == 0; });
        entries.push_back(extra);
    }
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (std::string& e : entries) envp.push_back(e.data());
    args.push_back(nullptr);
    envp.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) {
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
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

bool waitUntil(const std::function<bool()>& condition, int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

XSession::XSession()
{
    for (const char* program : {"Xvfb", "openbox", "xdotool", "xprop"})
        if (!onPath(program)) missing_ += std::string(missing_.empty() ? "" : ", ") + program;
    if (!missing_.empty()) {
        missing_ += " not installed";
        return;
    }
    // Xvfb picks a free display and writes its number to the pipe.
    int fds[2];
    if (::pipe(fds) != 0) {
        missing_ = "no pipe";
        return;
    }
    xvfb_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                  {}, "/dev/null");
    ::close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (::poll(&p, 1, 20000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (number.empty()) {
        missing_ = "Xvfb did not start";
        return;
    }
    display_ = ":" + number;
    wm_ = spawn({"openbox"}, {"DISPLAY=" + display_}, "/dev/null");
    if (!waitUntil([this] { return run("xprop -root _NET_SUPPORTING_WM_CHECK").second.find("window id") !=
                                   std::string::npos; },
                   20000))
        missing_ = "openbox did not start";
}

XSession::~XSession()
{
    stop(wm_);
    stop(xvfb_);
}

std::pair<int, std::string> XSession::run(const std::string& command) const
{
    return testing_support::shell("DISPLAY=" + display_ + " " + command);
}

std::string XSession::waitForWindow(const std::string& title, int milliseconds) const
{
    std::string id;
    // A search can fail while windows come and go; it is simply asked again.
    waitUntil([&] {
        const auto [status, out] = run("xdotool search --onlyvisible --name '" + title + "'");
        if (status != 0) return false;
        id = out.substr(0, out.find('\n'));
        return !id.empty() && id.find_first_not_of("0123456789") == std::string::npos;
    }, milliseconds);
    return id;
}

void XSession::keys(const std::string& keys) const { run("xdotool key --delay 100 " + keys); }

}  // namespace uitest
