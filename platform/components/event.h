#pragma once

// Events are method references: a callable plus, when it was bound from a
// window description, the name of the handler it came from (so a writer can
// store it again).

#include <functional>
#include <string>
#include <utility>

namespace pellamo {

class TObject;

template <class... Args> class TEvent {
public:
    using Handler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent& operator=(Handler handler)
    {
        handler_ = std::move(handler);
        name_.clear();
        return *this;
    }
    void Bind(std::string name, Handler handler)
    {
        name_ = std::move(name);
        handler_ = std::move(handler);
    }
    void Clear()
    {
        handler_ = nullptr;
        name_.clear();
    }

    explicit operator bool() const { return static_cast<bool>(handler_); }
    const std::string& HandlerName() const { return name_; }

    // Calls the handler when one is set; exceptions pass through.
    void operator()(Args... args) const
    {
        if (handler_)
            handler_(std::forward<Args>(args)...);
    }

private:
    Handler handler_;
    std::string name_;
};

// A notification that names its sender only (OnClick, OnChange, OnCreate).
using TNotifyEvent = TEvent<TObject*>;

}
