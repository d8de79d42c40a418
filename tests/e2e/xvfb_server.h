#pragma once

// A private X server for tests and benchmarks. Xvfb picks a free display
// number itself and reports it (-displayfd) once it accepts connections, so
// tests running side by side never share or race for a server. It ends with
// the thread that started it, even when a test crashes: left running, it
// would hold the test's output open and ctest would wait for its time-out
// instead of reporting the crash.

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace pellamo {

class XvfbServer {
public:
    XvfbServer()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        std::string write_fd = std::to_string(fds[1]);
        const char* argv[] = { "Xvfb", "-displayfd", write_fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
            "tcp", "-wr", "-noreset", nullptr };
        pid_t parent = getpid();
        pid_t pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent)
                _exit(127); // the test ended already
            close(fds[0]);
            execvp("Xvfb", const_cast<char**>(argv));
            _exit(127);
        }
        close(fds[1]);
        if (pid < 0) {
            close(fds[0]);
            return;
        }
        std::string number;
        pollfd p { fds[0], POLLIN, 0 };
        while (poll(&p, 1, 10000) > 0) {
            char c;
            if (read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number.push_back(c);
        }
        close(fds[0]);
        if (number.empty()) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            return;
        }
        m_pid = pid;
        m_display = ":" + number;
    }
    ~XvfbServer()
    {
        if (m_pid) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return m_pid != 0; }
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = 0;
    std::string m_display;
};

}
