#pragma once

// A light window manager (openbox) on a private X server, so that windows
// can be tested under a real manager as well as without one. It is ready
// once it announces itself on the root window (_NET_SUPPORTING_WM_CHECK).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

extern char** environ;

namespace pellamo {

// The output of a shell command (the tools of x11-utils, for reading
// window properties as another client sees them).
inline std::string CommandOutput(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

class WindowManagerSession {
public:
    explicit WindowManagerSession(const std::string& display)
        : m_display(display)
    {
        std::string env_display = "DISPLAY=" + display;
        std::string env_home = "HOME=/tmp";
        char* envp[] = { env_display.data(), env_home.data(), nullptr };
        const char* argv[] = { "openbox", "--sm-disable", nullptr };
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        int rc = posix_spawnp(&pid, "openbox", &actions, nullptr, const_cast<char**>(argv), envp);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0)
            return;
        m_pid = pid;
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < until) {
            if (CommandOutput("xprop -display " + display + " -root _NET_SUPPORTING_WM_CHECK 2>/dev/null")
                    .find("window id")
                != std::string::npos) {
                m_ready = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ~WindowManagerSession()
    {
        if (m_pid) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    WindowManagerSession(const WindowManagerSession&) = delete;
    WindowManagerSession& operator=(const WindowManagerSession&) = delete;

    bool Running() const { return m_ready; }

private:
    std::string m_display;
    pid_t m_pid = 0;
    bool m_ready = false;
};

}
