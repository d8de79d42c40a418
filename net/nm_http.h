#pragma once

#include "net/ex_string_list.h"
#include "net/header_info.h"
#include "net/powersock.h"

#include <cstdint>
#include <functional>
#include <string>

namespace pellamo {

// An HTTP/1.0 client on TPowersock. One call (Get, Post, ...) runs a whole
// transaction while the message loop keeps running: split the address,
// compose the request, connect, send, read the reply header and the body
// until the server closes, disconnect, and follow redirections.
class TNMHTTP : public TPowersock {
public:
    enum CmdType {
        CmdGET,
        CmdOPTIONS,
        CmdHEAD,
        CmdPOST,
        CmdPUT,
        CmdPATCH,
        CmdCOPY,
        CmdMOVE,
        CmdDELETE,
        CmdLINK,
        CmdUNLINK,
        CmdTRACE,
    };
    using TResultEvent = std::function<void(TNMHTTP& sender, CmdType cmd)>;
    using THttpHandlerEvent = std::function<void(TNMHTTP& sender, bool& handled)>;
    using THttpNotifyEvent = std::function<void(TNMHTTP& sender)>;

    // Transactions one call may run (the first request and its redirections).
    static constexpr int kMaxTransactions = 20;

    explicit TNMHTTP(EventLoop& loop = EventLoop::Main());

    // Published properties.
    const std::string& Body() const { return m_body; }
    void SetBody(std::string body) { m_body = std::move(body); }
    const std::string& Header() const { return m_header; }
    void SetHeader(std::string header) { m_header = std::move(header); }
    THeaderInfo& HeaderInfo() { return m_header_info; }
    const THeaderInfo& HeaderInfo() const { return m_header_info; }
    bool InputFileMode() const { return m_input_file_mode; }
    void SetInputFileMode(bool on) { m_input_file_mode = on; }
    bool OutputFileMode() const { return m_output_file_mode; }
    void SetOutputFileMode(bool on) { m_output_file_mode = on; }
    bool EncodePostData() const { return m_encode_post; }
    void SetEncodePostData(bool on) { m_encode_post = on; }

    THttpNotifyEvent OnAboutToSend;
    TResultEvent OnSuccess;
    TResultEvent OnFailure;
    THttpHandlerEvent OnRedirect;
    THttpNotifyEvent OnAuthenticationNeeded;

    // Run-time state.
    const std::string& CurrentUrl() const { return m_current_url; }
    void SetCurrentUrl(std::string url) { m_current_url = std::move(url); }
    const std::string& RequestPath() const { return m_request_path; }
    const std::string& ReplyLocation() const { return m_reply_location; }
    const std::string& ReplyCookie() const { return m_reply_cookie; }
    int64_t DeclaredLength() const { return m_declared_length; }
    const std::string& SendData() const { return m_send_data; }
    const std::string& SendUri() const { return m_send_uri; }
    CmdType Cmd() const { return m_cmd; }
    const TExStringList& RequestHeaders() const { return m_request; }
    // True while a call runs; a further call is then refused with "Busy".
    bool Busy() const { return m_busy; }

    void Get(const std::string& url);
    void Options(const std::string& url);
    void Head(const std::string& url);
    void Post(const std::string& url, const std::string& data);
    void Put(const std::string& url, const std::string& data);
    void Patch(const std::string& url, const std::string& data);
    void Copy(const std::string& url, const std::string& destination);
    void Move(const std::string& url, const std::string& destination);
    void Delete(const std::string& url);
    void Link(const std::string& url, const std::string& link);
    void Unlink(const std::string& url, const std::string& link);
    void Trace(const std::string& url, const std::string& data);

    // Ends the running wait with its cancel error.
    void Abort() override;

    // The steps of a transaction, usable on their own.
    void SplitUrl();
    void ComposeRequest();
    void SendRequest();
    void ReadReplyHeader();

private:
    void Run(CmdType cmd, const std::string& url, std::string data, std::string uri);
    void RunTransactions();
    void Transact();
    void RecordHeaderLine(const std::string& line, std::FILE* file);

    std::string m_body = "Default.htm";
    std::string m_header = "Head.txt";
    THeaderInfo m_header_info;
    bool m_input_file_mode = false;
    bool m_output_file_mode = false;
    bool m_encode_post = true;

    std::string m_current_url;
    std::string m_request_path;
    std::string m_reply_location;
    std::string m_reply_cookie;
    int64_t m_declared_length = 0;
    std::string m_send_data;
    std::string m_send_uri;
    CmdType m_cmd = CmdGET;
    TExStringList m_request;
    bool m_busy = false;
};

}
