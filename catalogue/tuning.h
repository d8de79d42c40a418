#pragma once

#include "catalogue/channel_table.h"
#include "catalogue/page_source.h"
#include "catalogue/selection_caption.h"
#include "player/player_host.h"

#include <optional>
#include <string>

namespace pellamo {

// Turns a selection in one of the two channel trees into a play command: the
// caption shows the choice, the name is looked up in that tree's table, a
// page-scrape row has its page fetched and the stream address cut out of it,
// and the player host is told which control plays what.
//
// The page fetch keeps the message loop running, so a newer selection can
// arrive while a fetch is under way. The newest selection wins: it cancels
// the running fetch (quietly, no error for that) and is tuned as soon as the
// older run has unwound. A run never starts a fetch while another is on the
// stack, so the one HTTP client never carries two transactions.
class Tuning {
public:
    Tuning(const ChannelTable& television, const ChannelTable& radio, PageSource& pages, SelectionCaption& caption,
        PlayerHost& player);

    // Change events of the two trees, with the text (GBK) of the tree's
    // selected node, or nothing when no node is selected (then nothing
    // happens). A fetch failure of the current selection is thrown.
    void TelevisionChanged(const std::optional<std::string>& selected);
    void RadioChanged(const std::optional<std::string>& selected);
    // The change event of the viewer's own channels, whose nodes carry their
    // stream address (GBK) instead of a table row: a channel plays as a
    // direct row does; a playlist or group node (empty address) is a category.
    void MyChannelChanged(const std::optional<std::string>& selected, const std::string& address);

    // The three diagnostic values of the last run: the page address, the
    // stream address handed on, and the page text the cut was made from.
    // They start as the hidden controls' initial texts.
    const std::string& Edit1() const { return edit1_; }
    const std::string& Edit2() const { return edit2_; }
    const std::string& Memo1() const { return memo1_; }

private:
    enum class Tree { Television, Radio, MyChannels };
    struct Selection {
        Tree tree;
        std::string name;
        std::string address; // of a channel of MyChannels
    };

    void Select(Tree tree, const std::optional<std::string>& selected, const std::string& address = {});
    void Run(const Selection& selection);
    // Fetches a page; returns nothing when a newer selection superseded this
    // run while it waited.
    std::optional<std::string> Fetch(const std::string& url);

    const ChannelTable& television_;
    const ChannelTable& radio_;
    PageSource& pages_;
    SelectionCaption& caption_;
    PlayerHost& player_;

    std::string edit1_ = "Edit1";
    std::string edit2_ = "Edit2";
    std::string memo1_ = "Memo1";

    bool running_ = false; // a run is on the stack
    bool fetching_ = false; // a Get is on the stack
    bool cancelSent_ = false; // that Get has been asked to end
    std::optional<Selection> pending_; // newest selection not yet tuned
};

}
