#pragma once
// Starts one of the test server scripts beside this file as a child process and reads the port it
// listens on. The server is killed when the object goes (and with the test process if that dies).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <netinet/in.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

class TestServer {
public:
    TestServer(const std::string& script, const std::vector<std::string>& args)
    {
        int out[2];
        if (pipe(out) != 0) throw std::runtime_error("pipe failed");
        std::vector<std::string> argv = {NET_TEST_PYTHON, std::string(NET_TEST_SCRIPTS) + "/" + script};
        argv.insert(argv.end(), args.begin(), args.end());
        const pid_t parent = getpid();
        FPid = fork();
        if (FPid < 0) throw std::runtime_error("fork failed");
        if (FPid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent) _exit(1);
            dup2(out[1], 1);
            close(out[0]);
            close(out[1]);
            std::vector<char*> cargv;
            for (auto& a : argv) cargv.push_back(a.data());
            cargv.push_back(nullptr);
            execv(cargv[0], cargv.data());
            _exit(127);
        }
        close(out[1]);
        // The script prints its port once it listens; an external process, so a real-time bound.
        std::string line;
        pollfd p{out[0], POLLIN, 0};
        while (line.find('\n') == std::string::npos && poll(&p, 1, 15000) > 0) {
            char buf[64];
            const ssize_t n = read(out[0], buf, sizeof buf);
            if (n <= 0) break;
            line.append(buf, static_cast<std::size_t>(n));
        }
        close(out[0]);
        FPort = std::atoi(line.c_str());
        if (FPort <= 0) {
            Stop();
            throw std::runtime_error(script + " did not start");
        }
    }
    ~TestServer() { Stop(); }
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    int Port() const { return FPort; }

private:
    void Stop()
    {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
            FPid = -1;
        }
    }
    pid_t FPid = -1;
    int FPort = 0;
};

// A port on 127.0.0.1 where nobody listens (taken from the system, then released).
inline int UnusedPort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    close(s);
    return ntohs(a.sin_port);
}
