#pragma once

// Sockets on 127.0.0.1 for tests that must never leave the machine.

#include "platform/loop/host_lookup.h"

#include <cstdint>

namespace pellamo::test {

// A TCP socket bound to a free loopback port and listening; throws
// std::runtime_error when it cannot.
int ListenOnLoopback(uint16_t& port, int backlog = 16);

// A loopback port nobody listens on: a connection to it is refused at once.
uint16_t UnusedPort();

// While it lives, host lookups ask a DNS server on a loopback port.
// ClosedResolver: nothing is bound there, so every question is refused at
// once and only the hosts file answers. SilentResolver: a socket is bound
// there that never answers, so a lookup of any other name runs into its
// time-out. Each puts the previous options back when it goes.
class ClosedResolver {
public:
    ClosedResolver();
    ~ClosedResolver();
    ClosedResolver(const ClosedResolver&) = delete;
    ClosedResolver& operator=(const ClosedResolver&) = delete;

private:
    HostLookup::Options saved_;
};

class SilentResolver {
public:
    explicit SilentResolver(int timeout_ms = 5000);
    ~SilentResolver();
    SilentResolver(const SilentResolver&) = delete;
    SilentResolver& operator=(const SilentResolver&) = delete;

private:
    int fd_ = -1;
    HostLookup::Options saved_;
};

}
