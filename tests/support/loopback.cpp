#include "tests/support/loopback.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace pellamo::test {

namespace {

// A socket of `type` bound to a free loopback port, which is stored in `port`.
int BindLoopback(int type, uint16_t& port)
{
    int fd = socket(AF_INET, type | SOCK_CLOEXEC, 0);
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        std::string error = std::strerror(errno);
        if (fd >= 0)
            close(fd);
        throw std::runtime_error("loopback socket: " + error);
    }
    port = ntohs(address.sin_port);
    return fd;
}

// DNS questions go to this loopback port: few retries, so a test waits
// little for an answer that cannot come.
HostLookup::Options ResolverAt(uint16_t port, int timeout_ms)
{
    return { "127.0.0.1:" + std::to_string(port), timeout_ms, 1 };
}

}

int ListenOnLoopback(uint16_t& port, int backlog)
{
    int fd = BindLoopback(SOCK_STREAM, port);
    if (listen(fd, backlog) != 0) {
        std::string error = std::strerror(errno);
        close(fd);
        throw std::runtime_error("loopback listen: " + error);
    }
    return fd;
}

uint16_t UnusedPort()
{
    uint16_t port = 0;
    close(BindLoopback(SOCK_STREAM, port));
    return port;
}

ClosedResolver::ClosedResolver()
    : saved_(HostLookup::DefaultOptions())
{
    uint16_t port = 0;
    close(BindLoopback(SOCK_DGRAM, port));
    HostLookup::SetDefaultOptions(ResolverAt(port, 300));
}

ClosedResolver::~ClosedResolver() { HostLookup::SetDefaultOptions(saved_); }

SilentResolver::SilentResolver(int timeout_ms)
    : saved_(HostLookup::DefaultOptions())
{
    uint16_t port = 0;
    fd_ = BindLoopback(SOCK_DGRAM, port);
    HostLookup::SetDefaultOptions(ResolverAt(port, timeout_ms));
}

SilentResolver::~SilentResolver()
{
    HostLookup::SetDefaultOptions(saved_);
    close(fd_);
}

}
