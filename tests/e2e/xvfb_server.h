#pragma once

// A private X server for tests and benchmarks: `Xvfb :N` on the first free
// display number (white root, no TCP), stopped when the object goes.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

extern char** environ;

namespace pellamo {

class XvfbServer {
public:
    XvfbServer()
    {
        for (int n = 87; n < 160 && m_pid == 0; ++n) {
            if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) || std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
                continue;
            std::string display = ":" + std::to_string(n);
            const char* argv[] = { "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-wr", "-noreset", nullptr };
            pid_t pid = 0;
            if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
                return;
            // Ready when its socket appears; a lost race for the number ends the process.
            for (int i = 0; i < 500; ++i) {
                if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n))) {
                    m_pid = pid;
                    m_display = display;
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    break;
                }
                int status = 0;
                if (waitpid(pid, &status, WNOHANG) == pid)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            if (m_pid == 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
    }
    ~XvfbServer()
    {
        if (m_pid) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    bool Running() const { return m_pid != 0; }
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = 0;
    std::string m_display;
};

}
