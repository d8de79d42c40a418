#include "platform/backend/url_opener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

extern char** environ;

namespace pellamo {

bool OpenUrl(const std::string& url)
{
    // An address that starts with '-' would be read as an option.
    if (url.empty() || url.front() == '-' || url.find('\0') != std::string::npos)
        return false;
    // The child starts with default signal handling and no blocked signals,
    // whatever the player has set up for itself.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attr, &defaults);

    std::string program = "xdg-open";
    std::string arg = url;
    char* argv[] = { program.data(), arg.data(), nullptr };
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, program.c_str(), nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0)
        return false;
    // xdg-open can stay until the browser exits, so the user-interface thread
    // must not wait for it; a small thread reaps it to leave no zombie.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    }).detach();
    return true;
}

}
