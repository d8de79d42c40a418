#include "net/curl_library.h"

#include "platform/base/shared_library.h"

namespace pellamo {

const CurlLibrary& CurlLibrary::Shared()
{
    // Never destroyed: a download may end during static destruction, and a
    // library once loaded stays loaded anyway.
    static const CurlLibrary* library = new CurlLibrary({ "libcurl.so.4", "libcurl.so" });
    return *library;
}

CurlLibrary::CurlLibrary(const std::vector<std::string>& names)
{
    std::string why;
    handle_ = OpenFirstLibrary(names, why);
    if (!handle_) {
        error_ = "web downloads need libcurl, which cannot be loaded (" + why + ")";
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
    return FindSymbol(handle, "curl_global_init", api_.global_init)
        && FindSymbol(handle, "curl_easy_init", api_.easy_init)
        && FindSymbol(handle, "curl_easy_setopt", api_.easy_setopt)
        && FindSymbol(handle, "curl_easy_getinfo", api_.easy_getinfo)
        && FindSymbol(handle, "curl_easy_cleanup", api_.easy_cleanup)
        && FindSymbol(handle, "curl_easy_strerror", api_.easy_strerror)
        && FindSymbol(handle, "curl_multi_init", api_.multi_init)
        && FindSymbol(handle, "curl_multi_setopt", api_.multi_setopt)
        && FindSymbol(handle, "curl_multi_add_handle", api_.multi_add_handle)
        && FindSymbol(handle, "curl_multi_remove_handle", api_.multi_remove_handle)
        && FindSymbol(handle, "curl_multi_socket_action", api_.multi_socket_action)
        && FindSymbol(handle, "curl_multi_info_read", api_.multi_info_read)
        && FindSymbol(handle, "curl_multi_cleanup", api_.multi_cleanup);
}

}
