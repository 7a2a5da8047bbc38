#include "host/ConsoleProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

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

    int out[2] = {-1, -1}, err[2] = {-1, -1}, status[2] = {-1, -1};
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0 || pipe2(status, O_CLOEXEC) != 0) {
        for (int* p : {out, err, status}) {
            CloseFd(p[0]);
            CloseFd(p[1]);
        }
        throw Exception("Cannot start " + ApplicationName + ": " + std::strerror(errno));
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        int code = 0;
        if (!CurrentDirectory.empty() && chdir(CurrentDirectory.c_str()) != 0) {
            code = errno;
        } else {
            execvp(ApplicationName.c_str(), argv.data());
            code = errno;
        }
        // Tell the parent why the start failed.
        if (write(status[1], &code, sizeof code) < 0) {}
        _exit(127);
    }
    CloseFd(out[1]);
    CloseFd(err[1]);
    CloseFd(status[1]);
    if (pid < 0) {
        for (int* p : {out, err, status}) {
            CloseFd(p[0]);
        }
        throw Exception("Cannot start " + ApplicationName + ": " + std::strerror(errno));
    }
    String text[2];
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                text[i].append(buf, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int code = 0;
    const bool startFailed = read(status[0], &code, sizeof code) == static_cast<ssize_t>(sizeof code);
    CloseFd(status[0]);
    int ws = 0;
    while (waitpid(pid, &ws, 0) < 0 && errno == EINTR) {}
    if (startFailed) throw Exception("Cannot start " + ApplicationName + ": " + std::strerror(code));
    FExitCode = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + (WIFSIGNALED(ws) ? WTERMSIG(ws) : 0);
    FOutput.SetText(text[0]);
    FErrors.SetText(text[1]);
}
