#pragma once

#include "net/nm_http.h"
#include "platform/components/component.h"

#include <string>

namespace pellamo {

// The HTTP client as a component of a window description ("TNMHTTP"): it
// publishes the client's stored values and owns one client for the window.
class TNMHTTPComponent : public TComponent {
public:
    explicit TNMHTTPComponent(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TNMHTTP& Client() { return http_; }

    int32_t Port() const { return http_.Port(); }
    void SetPort(int32_t v) { http_.SetPort(v); }
    int32_t TimeOut() const { return http_.TimeOut(); }
    void SetTimeOut(int32_t v) { http_.SetTimeOut(v); }
    int32_t ReportLevel() const { return http_.ReportLevel(); }
    void SetReportLevel(int32_t v) { http_.SetReportLevel(v); }
    std::string Proxy() const { return http_.Proxy(); }
    void SetProxy(const std::string& v) { http_.SetProxy(v); }
    int32_t ProxyPort() const { return http_.ProxyPort(); }
    void SetProxyPort(int32_t v) { http_.SetProxyPort(v); }
    std::string Body() const { return http_.Body(); }
    void SetBody(const std::string& v) { http_.SetBody(v); }
    std::string Header() const { return http_.Header(); }
    void SetHeader(const std::string& v) { http_.SetHeader(v); }
    bool InputFileMode() const { return http_.InputFileMode(); }
    void SetInputFileMode(bool v) { http_.SetInputFileMode(v); }
    bool OutputFileMode() const { return http_.OutputFileMode(); }
    void SetOutputFileMode(bool v) { http_.SetOutputFileMode(v); }

private:
    TNMHTTP http_;
};

}
