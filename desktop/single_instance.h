#pragma once

#include "desktop/bus_thread.h"
#include "platform/loop/event_loop.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pellamo {

// One running program per desktop session. The first to start owns the
// name io.github.pellamo.Pellamo and takes the words (files and addresses)
// of later starts, which hand them over and end.
class SingleInstance {
public:
    enum class Role {
        First, // owns the name: OnOpen hears the words of later starts
        HandedOver, // another program took the words: this one ends
        Alone, // no session bus (or it failed): runs as if first, unheard
    };

    // Claims the name, or hands `words` to the program that owns it.
    // `name` is for tests that run several at once.
    explicit SingleInstance(
        EventLoop& loop, const std::vector<std::string>& words, std::string name = "io.github.pellamo.Pellamo");
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Role GetRole() const { return role_; }
    // On the loop's thread: the words of a later start (files already made
    // absolute); empty when it only asked to come to the front.
    std::function<void(const std::vector<std::string>&)> OnOpen;

    static constexpr const char* kObjectPath = "/io/github/pellamo/Pellamo";
    static constexpr const char* kInterface = "io.github.pellamo.Pellamo";

    // Words as they mean the same from another folder: paths of existing
    // files become absolute, addresses stay.
    static std::vector<std::string> Portable(const std::vector<std::string>& words);

private:
    struct Glue;

    EventLoop& loop_;
    std::unique_ptr<BusThread> bus_;
    Role role_ = Role::Alone;
    unsigned object_id_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
