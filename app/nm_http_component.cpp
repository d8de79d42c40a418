#include "app/nm_http_component.h"

#include "platform/components/class_info.h"
#include "platform/components/props.h"

namespace pellamo {

TNMHTTPComponent::TNMHTTPComponent(TComponent* owner)
    : TComponent(owner)
{
    // No time-outs and no status events unless the description says so.
    http_.SetTimeOut(0);
    http_.SetReportLevel(0);
}

const ClassInfo& TNMHTTPComponent::StaticClass()
{
    using C = TNMHTTPComponent;
    static const ClassInfo info("TNMHTTP", &TComponent::StaticClass(),
        {
            props::Int<C>("Port", &C::Port, &C::SetPort),
            props::Int<C>("TimeOut", &C::TimeOut, &C::SetTimeOut),
            props::Int<C>("ReportLevel", &C::ReportLevel, &C::SetReportLevel),
            props::Str<C>("Proxy", &C::Proxy, &C::SetProxy),
            props::Int<C>("ProxyPort", &C::ProxyPort, &C::SetProxyPort),
            props::Str<C>("Body", &C::Body, &C::SetBody),
            props::Str<C>("Header", &C::Header, &C::SetHeader),
            props::Bool<C>("InputFileMode", &C::InputFileMode, &C::SetInputFileMode),
            props::Bool<C>("OutputFileMode", &C::OutputFileMode, &C::SetOutputFileMode),
        },
        FactoryOf<C>());
    return info;
}

}
