#include "rtl/ConsoleProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "rtl/Interrupt.h"

namespace {

std::vector<String> SplitCommandLine(const String& line)
{
    std::vector<String> words;
    String cur;
    bool inWord = false, quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) words.push_back(cur);
            cur.clear();
            inWord = false;
        } else {
            cur += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(cur);
    return words;
}

void CloseFd(int& fd)
{
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace

void TConsoleProcess::Execute()
{
    FOutput.Clear();
    FErrors.Clear();
    FExitCode = -1;
    std::vector<String> args = SplitCommandLine(CommandLine);
    if (args.empty()) args.push_back(ApplicationName);
    std::vector<char*> argv;
    for (String& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2] = {-1, -1}, err[2] = {-1, -1};
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        const int e = errno;
        for (int* p : {out, err}) {
            CloseFd(p[0]);
            CloseFd(p[1]);
        }
        throw Exception("Cannot start " + ApplicationName + ": " + std::strerror(e));
    }
    // No fork in a threaded process and no shell: the child gets its pipes and its folder from
    // the spawn's file actions.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    if (!CurrentDirectory.empty()) posix_spawn_file_actions_addchdir_np(&actions, CurrentDirectory.c_str());
    pid_t pid = -1;
    const int spawnError =
        posix_spawnp(&pid, ApplicationName.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    CloseFd(out[1]);
    CloseFd(err[1]);
    if (spawnError != 0) {
        CloseFd(out[0]);
        CloseFd(err[0]);
        throw Exception("Cannot start " + ApplicationName + ": " + std::strerror(spawnError));
    }
    String text[2];
    std::size_t told[2] = {0, 0};  // what OnLine was given of each text
    auto tell = [&](int i, bool all) {
        for (std::size_t nl; (nl = text[i].find('\n', told[i])) != String::npos; told[i] = nl + 1) {
            String l = text[i].substr(told[i], nl - told[i]);
            if (!l.empty() && l.back() == '\r') l.pop_back();
            if (OnLine) OnLine(i, l);
        }
        if (all && told[i] < text[i].size()) {
            if (OnLine) OnLine(i, text[i].substr(told[i]));
            told[i] = text[i].size();
        }
    };
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {InterruptFd(), POLLIN, 0}};
    int open = 2;
    bool stopped = false;
    while (open > 0) {
        if (!stopped && InterruptSignal()) {
            // the program is told the same; its pipes close when it has ended
            kill(pid, InterruptSignal());
            stopped = true;
            fds[2].fd = -1;
        }
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                text[i].append(buf, static_cast<std::size_t>(n));
                tell(i, false);
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (int i = 0; i < 2; ++i) {
        CloseFd(fds[i].fd);
        tell(i, true);
    }
    int ws = 0;
    while (waitpid(pid, &ws, 0) < 0 && errno == EINTR) {}
    FExitCode = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + (WIFSIGNALED(ws) ? WTERMSIG(ws) : 0);
    FOutput.SetText(text[0]);
    FErrors.SetText(text[1]);
    if (stopped) CheckInterrupt();
}
