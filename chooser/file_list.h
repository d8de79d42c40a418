#pragma once

// TFileList: the list of an open-file dialog, one row per folder or file
// with its name, size and date under a header, the selection in the
// highlight colour. Arrows, Page Up/Down, Home and End move the selection;
// a letter jumps to the next name starting with it; Enter and a double
// click open the row; Backspace asks for the folder above; the wheel
// scrolls.

#include "chooser/folder_listing.h"
#include "platform/components/controls/custom_control.h"

#include <functional>
#include <vector>

namespace pellamo {

class TFileList : public TCustomControl {
public:
    explicit TFileList(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    static constexpr int kHeaderHeight = 20;
    static constexpr int kRowHeight = 18;

    // The selection goes to the first row.
    void SetEntries(std::vector<FolderEntry> entries);
    const std::vector<FolderEntry>& Entries() const { return entries_; }
    // -1 when nothing is selected.
    int ItemIndex() const { return index_; }
    void SetItemIndex(int index);
    const FolderEntry* Selected() const;
    int TopIndex() const { return top_; }
    void SetTopIndex(int top);
    int VisibleRows() const;
    // The row at a client point, -1 for none.
    int RowAt(int y) const;
    // The colour rows of the border and header take.
    void SetLineColor(TColor color);

    std::function<void(const FolderEntry&)> OnOpen;
    std::function<void()> OnSelect;
    std::function<void()> OnUp;
    // The first row shown changed (by keys, wheel or a new list).
    std::function<void()> OnScroll;

protected:
    void Paint() override;
    void KeyDown(UINT& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void WndProc(TMessage& message) override;
    bool WantsKey(UINT key) const override { return key == VK_RETURN; }

private:
    void ScrollIntoView();

    std::vector<FolderEntry> entries_;
    int index_ = -1;
    int top_ = 0;
    int wheel_rest_ = 0;
    TColor line_color_ = 0x7F7F7F;
};

}
