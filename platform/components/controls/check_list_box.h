#pragma once

// TCheckListBox: a list of text items, each with a check box. A click on
// the box (or Space) toggles it and raises OnClickCheck; a click on the row
// selects it (OnClick). Its own vertical scroll bar follows the items.

#include "platform/components/controls/custom_control.h"
#include "platform/components/string_list.h"

#include <vector>

namespace pellamo {

class TCheckListBox : public TCustomControl {
public:
    explicit TCheckListBox(TComponent* owner);
    ~TCheckListBox() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TStringList& Items() { return items_; }
    const TStringList& Items() const { return items_; }
    // Throws std::out_of_range for a bad index.
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    int ItemIndex() const { return item_index_; }
    void SetItemIndex(int index);
    int ItemHeight() const { return item_height_; }
    void SetItemHeight(int height);
    int TopIndex() const { return top_index_; }
    void SetTopIndex(int index);
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle style) { border_style_ = style; }
    Rect ItemRect(int index) const;
    int ItemAtPos(Point p) const; // -1 when none

    TNotifyEvent OnClickCheck;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle() override;
    void Paint() override;
    void WndProc(TMessage& message) override;
    void KeyDown(UINT& key, TShiftState shift) override;
    void Resize() override;

private:
    void ItemsChanged();
    void UpdateScrollBar();
    int VisibleCount() const;
    void Toggle(int index);
    void MakeVisible(int index);

    TStringList items_;
    std::vector<bool> checked_;
    int item_index_ = -1;
    int item_height_ = 16;
    int top_index_ = 0;
    TBorderStyle border_style_ = TBorderStyle::bsSingle;
};

}
