#include "net/nm_http.h"

#include "net/nm_url.h"
#include "net/nm_uu_processor.h"
#include "platform/base/scope_exit.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

namespace pellamo {

namespace {

constexpr size_t kShortText = 256; // path, location and cookie fields
constexpr int64_t kMaxReserve = 128 << 20;

const char* const kRequestWords[] = {
    "GET ",
    "OPTIONS ",
    "HEAD ",
    "POST ",
    "PUT ",
    "PATCH ",
    "COPY ",
    "MOVE ",
    "DELETE ",
    "LINK ",
    "UNLINK ",
    "TRACE ",
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return text;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return text;
}

std::string WithoutTerminator(std::string line)
{
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// The n-th (from 0) run of non-blank characters.
std::string Field(const std::string& text, int n)
{
    size_t pos = 0;
    for (int i = 0;; ++i) {
        pos = text.find_first_not_of(' ', pos);
        if (pos == std::string::npos)
            return std::string();
        size_t end = text.find(' ', pos);
        if (end == std::string::npos)
            end = text.size();
        if (i == n)
            return text.substr(pos, end - pos);
        pos = end;
    }
}

// A decimal status code; 0 when the text is not a number of 16 bits.
int16_t StatusCode(const std::string& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return 0;
    long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        value = value * 10 + (text[i] - '0');
        if (value > 32768)
            return 0;
    }
    value = negative ? -value : value;
    return value > 32767 ? 0 : static_cast<int16_t>(value);
}

int64_t FirstNumber(const std::string& text)
{
    size_t pos = text.find_first_of("0123456789");
    if (pos == std::string::npos)
        return 0;
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (value > (INT64_MAX - 9) / 10)
            return INT64_MAX; // absurd lengths saturate
        value = value * 10 + (text[pos] - '0');
    }
    return value;
}

// Position of the n-th (from 1) "/" or npos.
size_t NthSlash(const std::string& text, int n)
{
    size_t pos = std::string::npos;
    for (int i = 0; i < n; ++i) {
        pos = text.find('/', pos == std::string::npos ? 0 : pos + 1);
        if (pos == std::string::npos)
            return pos;
    }
    return pos;
}

int64_t FileSize(const std::string& name)
{
    struct stat info { };
    if (stat(name.c_str(), &info) != 0)
        throw std::runtime_error("Cannot open file \"" + name + "\". " + std::strerror(errno));
    return info.st_size;
}

// "mms:..." or "http:..." rather than a relative "page.htm?at=10:30".
bool HasScheme(const std::string& url)
{
    size_t colon = url.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(url[0])))
        return false;
    for (size_t i = 0; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(url[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

bool FollowsLocation(int code)
{
    // 303, 307 and 308 point elsewhere just like the classic three; without
    // following them the same request would be repeated.
    return code == 300 || code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

}

TNMHTTP::TNMHTTP(EventLoop& loop)
    : TPowersock(loop)
{
}

void TNMHTTP::Abort()
{
    m_lookup_done = true;
    Cancel();
}

void TNMHTTP::Get(const std::string& url) { Run(CmdGET, url, std::string(), std::string()); }
void TNMHTTP::Options(const std::string& url) { Run(CmdOPTIONS, url, std::string(), std::string()); }
void TNMHTTP::Head(const std::string& url) { Run(CmdHEAD, url, std::string(), std::string()); }
void TNMHTTP::Put(const std::string& url, const std::string& data) { Run(CmdPUT, url, data, std::string()); }
void TNMHTTP::Patch(const std::string& url, const std::string& data) { Run(CmdPATCH, url, data, std::string()); }
void TNMHTTP::Copy(const std::string& url, const std::string& destination)
{
    Run(CmdCOPY, url, std::string(), destination);
}
void TNMHTTP::Move(const std::string& url, const std::string& destination)
{
    Run(CmdMOVE, url, std::string(), destination);
}
void TNMHTTP::Delete(const std::string& url) { Run(CmdDELETE, url, std::string(), std::string()); }
void TNMHTTP::Link(const std::string& url, const std::string& link) { Run(CmdLINK, url, "Send.dat", link); }
void TNMHTTP::Unlink(const std::string& url, const std::string& link) { Run(CmdUNLINK, url, "Send.dat", link); }
void TNMHTTP::Trace(const std::string& url, const std::string& data) { Run(CmdTRACE, url, data, std::string()); }

void TNMHTTP::Post(const std::string& url, const std::string& data)
{
    if (m_busy)
        throw std::runtime_error("Busy");
    std::string sent = data;
    if (m_encode_post && !m_output_file_mode) {
        TNMURL encoder;
        encoder.SetInputString(data);
        sent = encoder.EncodedText();
    }
    Run(CmdPOST, url, std::move(sent), std::string());
}

void TNMHTTP::Run(CmdType cmd, const std::string& url, std::string data, std::string uri)
{
    // One transaction at a time: a call from a handler that runs during a
    // wait must not replace the running request or close its connection.
    if (m_busy)
        throw std::runtime_error("Busy");
    m_busy = true;
    ScopeExit idle([this] { m_busy = false; });
    m_current_url = url;
    m_send_data = std::move(data);
    m_send_uri = std::move(uri);
    m_cmd = cmd;
    RunTransactions();
}

void TNMHTTP::RunTransactions()
{
    for (int count = 1;; ++count) {
        SplitUrl();
        ComposeRequest();
        if (OnAboutToSend)
            OnAboutToSend(*this);
        try {
            Transact();
        } catch (...) {
            try {
                Disconnect();
            } catch (...) {
                // The first failure is the one to report.
            }
            throw;
        }
        Disconnect();

        int code = ReplyCode();
        if (code > 299 && code < 399) {
            if (!m_reply_cookie.empty())
                m_header_info.Cookie = m_reply_cookie;
            if (OnRedirect) {
                bool handled = false;
                OnRedirect(*this, handled);
                if (handled)
                    return;
            }
            // A relative Location ("next.htm", "sub/next.htm") names a page
            // beside the one just fetched, on the same host and port.
            if (!m_current_url.empty() && m_current_url[0] != '/' && m_current_url.find("//") == std::string::npos
                && !HasScheme(m_current_url)) {
                std::string folder = m_request_path.substr(0, m_request_path.rfind('/') + 1);
                m_current_url = "http://" + Host() + ":" + std::to_string(Port()) + folder + m_current_url;
            }
        }
        if (code == 401 && OnAuthenticationNeeded)
            OnAuthenticationNeeded(*this);
        if (code < 299 || code > 399)
            return;
        if (count >= kMaxTransactions)
            throw std::runtime_error("Too many redirects");
    }
}

void TNMHTTP::Transact()
{
    Connect();
    SendRequest();
    SetReplyCode(0);
    ReadReplyHeader();
    // Through a proxy the connection may stay open after the reply; the
    // declared length then marks its end.
    int64_t limit = (!Proxy().empty() && m_declared_length > 0) ? m_declared_length : -1;
    if (m_input_file_mode) {
        CaptureToFile(m_body, limit);
    } else {
        // Room for the declared body up front spares the copies of a growing
        // text; the length is the server's word, so only up to a bound.
        m_body.clear();
        m_body.reserve(static_cast<size_t>(std::clamp<int64_t>(m_declared_length, 0, kMaxReserve)));
        CaptureString(m_body, limit);
    }

    int code = ReplyCode();
    if (code < 299) {
        if (OnSuccess)
            OnSuccess(*this, m_cmd);
        Status(2, "Transaction Completed");
    } else if (code > 399) {
        if (OnFailure)
            OnFailure(*this, m_cmd);
    } else if (FollowsLocation(code)) {
        m_current_url = m_reply_location;
    }
}

void TNMHTTP::SplitUrl()
{
    const std::string& url = m_current_url;
    if (url.empty())
        throw std::runtime_error("Empty URL");
    // A line break would let the address add lines of its own to the request.
    if (url.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw std::runtime_error("Invalid URL: it contains a line break or NUL byte");
    if (Port() == 0)
        SetPort(80);

    std::string path;
    bool has_double_slash = url.find("//") != std::string::npos;
    if (has_double_slash) {
        size_t third = NthSlash(url, 3);
        if (third != std::string::npos)
            path = url.substr(third, kShortText);
    } else if (size_t first = url.find('/'); first != std::string::npos) {
        path = url.substr(first, kShortText);
    }

    if (size_t colon = url.find(':'); colon != std::string::npos) {
        std::string scheme = Lower(url.substr(0, colon));
        if (scheme == "gopher")
            SetPort(70);
        else if (scheme == "ftp")
            SetPort(21);
        else if (scheme == "https")
            throw std::runtime_error("HTTP Secure Socket is not supported");
        else
            SetPort(80);
    }

    std::string host;
    if (has_double_slash) {
        size_t second = NthSlash(url, 2);
        size_t third = NthSlash(url, 3);
        host = url.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
    } else if (url[0] != '/') {
        host = url.substr(0, url.find('/'));
    }
    if (size_t colon = host.find(':'); colon != std::string::npos) {
        std::string number = host.substr(colon + 1);
        if (number.empty() || number.size() > 9 || number.find_first_not_of("0123456789") != std::string::npos)
            throw std::runtime_error("'" + number + "' is not a valid integer value");
        int port = std::stoi(number);
        if (port < 1 || port > 65535)
            throw std::runtime_error("Port " + number + " is out of range");
        SetPort(port);
        host.resize(colon);
    }
    if (!host.empty())
        SetHost(host);
    if (path.empty()) {
        path.assign(1, '/');
        // "http://host" becomes "http://host/"; "http://host/" stays as it is.
        if (url.back() != '/' || !has_double_slash || NthSlash(url, 3) == std::string::npos)
            m_current_url.push_back('/');
    }
    m_request_path = path;
}

void TNMHTTP::ComposeRequest()
{
    m_request.Clear();
    bool proxy = !Proxy().empty();
    m_request.Add(std::string(kRequestWords[m_cmd]) + (proxy ? m_current_url : m_request_path) + " HTTP/1.0");
    if (proxy) {
        m_request.Add("Proxy-Connection: Keep-Alive");
        m_request.Add("Host: " + Host());
    }
    m_request.SetHeader("Host", Host());
    m_request.Add("Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff");
    m_request.Add("Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript");
    if (!m_header_info.LocalProgram.empty())
        m_request.SetHeader("User-Agent", m_header_info.LocalProgram);
    if (!m_header_info.LocalMailAddress.empty())
        m_request.SetHeader("From", m_header_info.LocalMailAddress);
    if (!m_header_info.Cookie.empty())
        m_request.SetHeader("Cookie", m_header_info.Cookie);
    if (!m_header_info.Referer.empty())
        m_request.SetHeader("Referer", m_header_info.Referer);
    if (!m_header_info.UserId.empty() && !m_header_info.Password.empty())
        m_request.SetHeader(
            "Authorization", "Basic " + TNMUUProcessor::Base64(m_header_info.UserId + ":" + m_header_info.Password));
    m_request.Add("Content-type: application/x-www-form-urlencoded");
    if (m_cmd == CmdCOPY || m_cmd == CmdMOVE)
        m_request.Add("URI-header: " + m_send_uri);
    if (m_cmd == CmdLINK || m_cmd == CmdUNLINK)
        m_request.Add("Link: " + m_send_uri);
    switch (m_cmd) {
    case CmdPOST:
    case CmdPUT:
    case CmdPATCH:
    case CmdTRACE: {
        // The length of what is really sent: text data stops at a NUL byte.
        int64_t length = m_output_file_mode
            ? FileSize(m_send_data)
            : static_cast<int64_t>(
                m_send_data.find('\0') == std::string::npos ? m_send_data.size() : m_send_data.find('\0'));
        m_request.Add("Content-Length: " + std::to_string(length));
        break;
    }
    case CmdLINK:
    case CmdUNLINK:
        // These send no data after the header.
        m_request.Add("Content-Length: 0");
        break;
    default:
        break;
    }
}

void TNMHTTP::SendRequest()
{
    Write(m_request.Text());
    Writeln("");
    switch (m_cmd) {
    case CmdPOST:
    case CmdPUT:
    case CmdPATCH:
    case CmdTRACE:
        if (m_output_file_mode)
            SendFile(m_send_data);
        else
            Write(m_send_data);
        break;
    default:
        break;
    }
}

void TNMHTTP::RecordHeaderLine(const std::string& line, std::FILE* file)
{
    if (!file) {
        m_header += line;
        return;
    }
    if (std::fwrite(line.data(), 1, line.size(), file) != line.size())
        throw std::runtime_error("Cannot write file \"" + m_header + "\". " + std::strerror(errno));
}

void TNMHTTP::ReadReplyHeader()
{
    m_declared_length = 0;
    m_reply_cookie.clear();
    m_reply_location.clear(); // a redirection without Location must not reuse an old one
    std::unique_ptr<std::FILE, FileCloser> file;
    if (m_output_file_mode) {
        file.reset(std::fopen(m_header.c_str(), "wb"));
        if (!file)
            throw std::runtime_error("Cannot create file \"" + m_header + "\". " + std::strerror(errno));
    } else {
        m_header.clear();
    }

    std::string line = ReadLn();
    if (!line.empty())
        SetReplyCode(StatusCode(Field(WithoutTerminator(line), 1)));
    RecordHeaderLine(line, file.get());
    if (line.empty())
        return; // closed before any header
    for (;;) {
        line = ReadLn();
        std::string name = Upper(Field(line, 0));
        if (name == "SET-COOKIE:")
            m_reply_cookie
                = WithoutTerminator(line.size() > 12 ? line.substr(12) : std::string()).substr(0, kShortText);
        else if (name == "LOCATION:")
            m_reply_location
                = WithoutTerminator(line.size() > 10 ? line.substr(10) : std::string()).substr(0, kShortText);
        else if (name == "CONTENT-LENGTH:")
            m_declared_length = FirstNumber(line.substr(line.find(':') + 1));
        RecordHeaderLine(line, file.get());
        if (line.empty() || line == "\n" || line == "\r\n")
            break;
    }
}

}
