#pragma once

// TCustomMemo / TMemo: the multi-line edit. Lines and Text are two views of
// one text (Text keeps its line breaks exactly as set); WordWrap breaks
// long lines at the edit's width; ScrollBars gives it window scroll bars
// that follow the text (vertical scrolling; wheel and scroll messages).

#include "platform/components/controls/edit.h"
#include "platform/components/string_list.h"

namespace pellamo {

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TStringList& Lines() { return lines_; }
    const TStringList& Lines() const { return lines_; }
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool on);
    TScrollStyle ScrollBars() const { return scroll_bars_; }
    void SetScrollBars(TScrollStyle style);
    bool WantReturns() const { return want_returns_; }
    void SetWantReturns(bool on) { want_returns_ = on; }
    bool WantTabs() const { return want_tabs_; }
    void SetWantTabs(bool on) { want_tabs_ = on; }

    int TopLine() const { return top_line_; }
    int LineCount() const { return static_cast<int>(TCustomEdit::Lines().size()); }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle() override;
    void WndProc(TMessage& message) override;
    void TextChanged() override;
    void UpdateScrollBar() override;
    void Paint() override;
    void VisibleChanged() override;

private:
    void LinesChanged();
    TStringList lines_;
    TScrollStyle scroll_bars_ = TScrollStyle::ssNone;
    bool syncing_lines_ = false;
    bool scroll_dirty_ = false;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
