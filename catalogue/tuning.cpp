#include "catalogue/tuning.h"

#include "catalogue/stream_cut.h"
#include "platform/base/scope_exit.h"

#include <utility>

namespace pellamo {

namespace {

// "网络电视->" and "网络电台->" in GBK.
const std::string kTelevisionPrefix = "\315\370\302\347\265\347\312\323->";
const std::string kRadioPrefix = "\315\370\302\347\265\347\314\250->";
// "我的频道->" in GBK.
const std::string kMyChannelsPrefix = "\316\322\265\304\306\265\265\300->";

}

Tuning::Tuning(const ChannelTable& television, const ChannelTable& radio, PageSource& pages, SelectionCaption& caption,
    PlayerHost& player)
    : television_(television)
    , radio_(radio)
    , pages_(pages)
    , caption_(caption)
    , player_(player)
{
}

void Tuning::TelevisionChanged(const std::optional<std::string>& selected) { Select(Tree::Television, selected); }

void Tuning::RadioChanged(const std::optional<std::string>& selected) { Select(Tree::Radio, selected); }

void Tuning::MyChannelChanged(const std::optional<std::string>& selected, const std::string& address)
{
    Select(Tree::MyChannels, selected, address);
}

void Tuning::Select(Tree tree, const std::optional<std::string>& selected, const std::string& address)
{
    if (!selected)
        return;
    pending_ = Selection { tree, *selected, address };
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
    ResolutionRule rule;
    switch (selection.tree) {
    case Tree::Television:
        caption_.SetCaption(kTelevisionPrefix + selection.name);
        rule = Lookup(television_, selection.name);
        break;
    case Tree::Radio:
        caption_.SetCaption(kRadioPrefix + selection.name);
        rule = Lookup(radio_, selection.name);
        break;
    case Tree::MyChannels:
        caption_.SetCaption(kMyChannelsPrefix + selection.name);
        rule.StreamUrl = selection.address;
        break;
    }
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
            return std::nullopt; // superseded: however the fetch ended, it ends quietly
        throw;
    }
    if (pending_)
        return std::nullopt;
    return body;
}

}
