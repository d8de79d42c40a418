#pragma once

// Libraries loaded when first needed rather than at start (the media engine,
// the web downloads): the loader calls both use.

#include <dlfcn.h>

#include <string>
#include <vector>

namespace pellamo {

// The first of `names` the dynamic loader can load, every symbol bound now
// (on the calling thread, not at the first call) and kept to itself. Null
// when none loads; `why` then holds the loader's reason for the first name.
inline void* OpenFirstLibrary(const std::vector<std::string>& names, std::string& why)
{
    for (const std::string& name : names) {
        if (void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL))
            return handle;
        const char* error = dlerror();
        if (why.empty() && error)
            why = error;
    }
    return nullptr;
}

// Looks `name` up in `handle` into `function`; false when it is missing.
template <typename Function> bool FindSymbol(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

}
