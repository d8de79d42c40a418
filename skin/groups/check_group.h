#pragma once

// TsuiCheckGroup: a group box that shows one skinned check box per line of
// Items, arranged in Columns, and raises its own OnClick whenever one of
// them changes (or the box itself is clicked), but not while the form is
// being read. The buttons are the group's: they follow its style, font,
// transparency and cursor, and are made again when Items changes. The
// checked states belong to the buttons, not to the texts: removing a line
// frees the last button and re-captions the others.

#include "platform/components/string_list.h"
#include "skin/panels/group_box.h"

#include <vector>

namespace pellamo {

class TsuiCheckBox;

class TsuiCheckGroup : public TsuiCustomGroupBox {
public:
    explicit TsuiCheckGroup(TComponent* owner);
    ~TsuiCheckGroup() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TStringList& Items() { return items_; }
    const TStringList& Items() const { return items_; }
    void SetItems(const TStrings& items);
    // Negative values are ignored; 0 lays the buttons out in one column.
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    // Space between the top of the frame's inside and the first row;
    // negative values are ignored.
    int TopMargin() const { return top_margin_; }
    void SetTopMargin(int margin);
    TColor FontColor() const { return Font().Color(); }
    void SetFontColor(TColor color);
    void SetCursor(TCursor cursor) override;
    void SetTransparent(bool on) override;

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TsuiCheckBox* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }
    // False outside the buttons.
    bool GetChecked(int index) const;
    // Outside the buttons: EStringListError.
    void SetChecked(int index, bool checked);
    bool GetItemEnabled(int index) const;
    void SetItemEnabled(int index, bool enabled);

    void UpdateUIStyle(TsuiUIStyle style, TsuiFileTheme* file_theme) override;
    void Click() override;
    void WndProc(TMessage& message) override;

    // The group's own click event (the control's OnClick stays unused).
    TNotifyEvent OnClick;

protected:
    // Called first on every click of the group or one of its buttons.
    virtual void NewClick() { }
    virtual TsuiCheckBox* CreateAButton();
    // Passes the focus the group received on to one of its buttons.
    virtual void FocusUpdate();

    void DoEnter() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Resize() override;
    void FontChanged() override;

    void ArrangeButtons();
    void GroupClick();
    TsuiCheckBox* ButtonOrNull(int index) const;
    TsuiCheckBox& ButtonOrThrow(int index) const;

private:
    void ItemsChanged();
    bool UpdateButtons();

    TStringList items_;
    std::vector<TsuiCheckBox*> buttons_;
    // The focus is arriving from one of the buttons (Shift+Tab out of
    // the group), not from outside.
    bool focus_from_button_ = false;
    int columns_ = 1;
    int top_margin_ = 8;
};

}
