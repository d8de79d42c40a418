#include "catalogue/tuning.h"

#include "catalogue/stream_cut.h"
#include "platform/base/scope_exit.h"

#include <utility>

namespace pellamo {

namespace {

// "网络电视->" and "网络电台->" in GBK.
const std::string kTelevisionPrefix = "\315\370\302\347\265\347\312\323->";
const std::string kRadioPrefix = "\315\370\302\347\265\347\314\250->";

}

Tuning::Tuning(const ChannelTable& television, const ChannelTable& radio, PageSource& pages, CaptionPanel& caption,
    PlayerHost& player)
    : television_(television)
    , radio_(radio)
    , pages_(pages)
    , caption_(caption)
    , player_(player)
{
}

void Tuning::TelevisionChanged(const std::optional<std::string>& selected)
{
    Select(Half::Television, selected);
}

void Tuning::RadioChanged(const std::optional<std::string>& selected)
{
    Select(Half::Radio, selected);
}

void Tuning::Select(Half half, const std::optional<std::string>& selected)
{
    if (!selected)
        return;
    pending_ = Selection{half, *selected};
    if (running_) {
        // Re-entered from the running tuning's message loop: leave the newest
        // selection for the outer call and make the running fetch give up.
        if (fetching_ && !cancelSent_) {
            cancelSent_ = true;
            pages_.Cancel();
        }
        return;
    }

    running_ = true;
    ScopeExit stop_running([this] { running_ = false; });
    try {
        while (pending_) {
            Selection next = std::move(*pending_);
            pending_.reset();
            Run(next);
        }
    } catch (...) {
        pending_.reset();
        throw;
    }
}

void Tuning::Run(const Selection& selection)
{
    bool television = selection.half == Half::Television;
    caption_.SetCaption((television ? kTelevisionPrefix : kRadioPrefix) + selection.name);
    ResolutionRule rule = Lookup(television ? television_ : radio_, selection.name);
    edit1_ = rule.PageUrl;

    if (!rule.PageUrl.empty()) {
        std::optional<std::string> body = Fetch(rule.PageUrl);
        if (!body)
            return;
        memo1_ = std::string(PageText(*body));
        rule.StreamUrl = CutStreamUrl(memo1_, rule.ScrapeStart, rule.ScrapeLength);
    }

    edit2_ = rule.StreamUrl;
    if (!rule.StreamUrl.empty())
        player_.PlayStream(rule.StreamUrl);
    if (rule.UseReal)
        player_.PlayReal(rule.RealSource);
}

std::optional<std::string> Tuning::Fetch(const std::string& url)
{
    if (pending_)
        return std::nullopt;
    cancelSent_ = false;
    std::string body;
    try {
        fetching_ = true;
        ScopeExit stop_fetching([this] { fetching_ = false; });
        body = pages_.Get(url);
    } catch (...) {
        if (pending_)
            return std::nullopt;  // superseded: however the fetch ended, it ends quietly
        throw;
    }
    if (pending_)
        return std::nullopt;
    return body;
}

}
