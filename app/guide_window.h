#pragma once

#include "guide/guide_view.h"
#include "platform/components/controls/form.h"
#include "platform/gfx/geometry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

class TCustomTreeView;
class TTreeNode;

// "节目指南" (Ctrl+G): one channel's programmes, a day at a time. Today
// comes first with the running programme selected; Left and Right (or
// Page Up and Page Down, or the buttons) go to other days; the list takes
// Up, Down and the wheel; the text below tells the selected programme's
// title, times and description. Enter on the programme that runs now
// closes the window asking for the channel to be played.
class TGuideForm : public TForm {
public:
    explicit TGuideForm(TComponent* owner);
    TGuideForm(TComponent* owner, std::string_view description);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Shows the programmes of guide channel `channel` (named `name`, UTF-8)
    // modally, centred on `over`, as of `now` (seconds since 1970 UTC).
    // True when the viewer asked to play the channel.
    bool Ask(GuideView& view, int64_t channel, const std::string& name, int64_t now, const Rect& over);
    // Moves to the day `days` from today (negative: earlier).
    void ShowDay(int days);
    int Day() const { return day_; }
    const std::vector<GuideEntry>& Entries() const { return entries_; }
    // The selected programme's index in Entries(); -1 when none.
    int SelectedIndex() const;
    std::string DayText() const; // UTF-8
    std::string DescriptionText() const; // UTF-8

    void ProgrammeListChange(TObject* sender, TTreeNode* node);
    void ProgrammeListKeyDown(TObject* sender, UINT& key, TShiftState shift);
    void PrevButtonClick(TObject* sender);
    void NextButtonClick(TObject* sender);
    void CloseButtonClick(TObject* sender);

private:
    void Bind();

    TControl* suiForm1 = nullptr;
    TControl* DayLabel = nullptr;
    TCustomTreeView* ProgrammeList = nullptr;
    TControl* DescriptionLabel = nullptr;

    GuideView* view_ = nullptr;
    int64_t channel_ = 0;
    int64_t now_ = 0;
    int day_ = 0;
    bool play_ = false;
    std::vector<GuideEntry> entries_;
};

}
