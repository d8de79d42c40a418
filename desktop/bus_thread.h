#pragma once

#include <functional>
#include <memory>
#include <thread>

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GMainContext GMainContext;
typedef struct _GMainLoop GMainLoop;

namespace pellamo {

// A connection of our own to the session bus, served on a thread of its
// own: calls that arrive are answered there, so the window's loop never
// waits for the bus and the bus never waits for the window. What the
// answers need from the program is handed over by the services (posted
// to the window's loop, or kept in a snapshot under a lock).
class BusThread {
public:
    // Connects; Connected() is false when there is no session bus (the
    // program then runs without the desktop's controls, silently).
    BusThread();
    ~BusThread();
    BusThread(const BusThread&) = delete;
    BusThread& operator=(const BusThread&) = delete;

    bool Connected() const { return connection_ != nullptr; }
    GDBusConnection* Connection() const { return connection_; }
    // The context the bus thread runs: objects exported with it as the
    // thread-default context are served on the bus thread.
    GMainContext* Context() const { return context_; }
    // Runs `work` on the bus thread and waits for it.
    void RunThere(const std::function<void()>& work);

private:
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    GDBusConnection* connection_ = nullptr;
    std::thread thread_;
};

}
