#pragma once

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pellamo {

// A loopback HTTP server for the files of one folder, read at each request
// (so a live playlist that ffmpeg rewrites is served as it stands). Knows
// the content types of HLS and DASH; can insist on a header line.
class FileServer {
public:
    FileServer(std::filesystem::path root, std::string required_header = {});
    ~FileServer();
    FileServer(const FileServer&) = delete;
    FileServer& operator=(const FileServer&) = delete;

    std::string Url(const std::string& path) const;

    // The request lines and heads received, in order.
    std::vector<std::string> Requests();
    int Refused() const { return m_refused; }

private:
    void AcceptLoop();
    void Serve(int fd);

    std::filesystem::path m_root;
    std::string m_required;
    int m_listen_fd = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping { false };
    std::atomic<int> m_refused { 0 };
    std::thread m_acceptor;
    std::mutex m_mutex;
    std::vector<std::thread> m_workers;
    std::mutex m_requests_mutex;
    std::vector<std::string> m_requests;
};

}
