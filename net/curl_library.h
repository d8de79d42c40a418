#pragma once

#include <curl/curl.h>

#include <string>
#include <vector>

namespace pellamo {

// The functions of libcurl the downloads use, looked up when it is loaded.
struct CurlApi {
    decltype(&::curl_global_init) global_init = nullptr;
    decltype(&::curl_easy_init) easy_init = nullptr;
    decltype(&::curl_easy_setopt) easy_setopt = nullptr;
    decltype(&::curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&::curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&::curl_easy_strerror) easy_strerror = nullptr;
    decltype(&::curl_multi_init) multi_init = nullptr;
    decltype(&::curl_multi_setopt) multi_setopt = nullptr;
    decltype(&::curl_multi_add_handle) multi_add_handle = nullptr;
    decltype(&::curl_multi_remove_handle) multi_remove_handle = nullptr;
    decltype(&::curl_multi_socket_action) multi_socket_action = nullptr;
    decltype(&::curl_multi_info_read) multi_info_read = nullptr;
    decltype(&::curl_multi_cleanup) multi_cleanup = nullptr;
};

// libcurl, loaded when the first download starts rather than at start:
// with its TLS, HTTP/2, SSH, LDAP and Kerberos libraries it would add some
// 5 MiB and two dozen libraries to relocate to every start, for a feature
// most sessions never use. Loading is synchronous and takes a few
// milliseconds (local files only), once.
//
// A library that is missing or lacks a function leaves downloads unusable
// with a sentence in Error(); the program goes on without them.
class CurlLibrary {
public:
    // The program's libcurl by its run-time name, loaded on the first call.
    static const CurlLibrary& Shared();

    // Tries the names in order; the first that loads and starts is used.
    // The library stays loaded when this goes: its global state cannot be
    // undone safely.
    explicit CurlLibrary(const std::vector<std::string>& names);
    CurlLibrary(const CurlLibrary&) = delete;
    CurlLibrary& operator=(const CurlLibrary&) = delete;

    bool Usable() const { return error_.empty(); }
    // Why downloads cannot work; empty when usable.
    const std::string& Error() const { return error_; }
    // Valid when usable.
    const CurlApi& Api() const { return api_; }

private:
    bool Resolve(void* handle);

    void* handle_ = nullptr;
    CurlApi api_;
    std::string error_;
};

}
