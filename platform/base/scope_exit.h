#pragma once

// Runs a function when the scope ends, by return or by exception: resets a
// re-entrancy flag, turns a timer off, restores a saved drawing state. The
// function must not throw (it may run while an exception unwinds).
//
//     busy_ = true;
//     ScopeExit idle([this] { busy_ = false; });

#include <utility>

namespace pellamo {

template <class Function> class ScopeExit {
public:
    explicit ScopeExit(Function function)
        : function_(std::move(function))
    {
    }
    ~ScopeExit() { function_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Function function_;
};

}
