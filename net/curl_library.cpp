#include "net/curl_library.h"

#include <dlfcn.h>

namespace pellamo {

namespace {

template <typename Function>
bool Find(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

}

const CurlLibrary& CurlLibrary::Shared()
{
    // Never destroyed: a download may end during static destruction, and a
    // library once loaded stays loaded anyway.
    static const CurlLibrary* library = new CurlLibrary({ "libcurl.so.4", "libcurl.so" });
    return *library;
}

CurlLibrary::CurlLibrary(const std::vector<std::string>& names)
{
    std::string tried;
    for (const std::string& name : names) {
        handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_)
            break;
        const char* why = dlerror();
        tried += (tried.empty() ? "" : "; ") + std::string(why ? why : name);
    }
    if (!handle_) {
        error_ = "web downloads need libcurl, which cannot be loaded (" + tried + ")";
        return;
    }
    if (!Resolve(handle_)) {
        error_ = "the loaded libcurl lacks functions that web downloads need";
        return;
    }
    if (api_.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        error_ = "libcurl cannot start";
}

bool CurlLibrary::Resolve(void* handle)
{
    return Find(handle, "curl_global_init", api_.global_init) && Find(handle, "curl_easy_init", api_.easy_init)
        && Find(handle, "curl_easy_setopt", api_.easy_setopt) && Find(handle, "curl_easy_getinfo", api_.easy_getinfo)
        && Find(handle, "curl_easy_cleanup", api_.easy_cleanup)
        && Find(handle, "curl_easy_strerror", api_.easy_strerror) && Find(handle, "curl_multi_init", api_.multi_init)
        && Find(handle, "curl_multi_setopt", api_.multi_setopt)
        && Find(handle, "curl_multi_add_handle", api_.multi_add_handle)
        && Find(handle, "curl_multi_remove_handle", api_.multi_remove_handle)
        && Find(handle, "curl_multi_socket_action", api_.multi_socket_action)
        && Find(handle, "curl_multi_info_read", api_.multi_info_read)
        && Find(handle, "curl_multi_cleanup", api_.multi_cleanup);
}

}
