#pragma once

// TsuiSpinEdit: an integer edit with up and down arrow buttons inside its
// right edge. The buttons, the Up and Down keys and the mouse wheel step
// Value by Increment; the step stops at the ends of the 32-bit range
// instead of wrapping. MinValue and MaxValue limit Value unless they are
// equal. With EditorEnabled off the text cannot be typed, cut, pasted or
// deleted, but the buttons and keys still step. A read-only edit beeps at
// a step and keeps its value.

#include "skin/edits/bordered_edit.h"
#include "skin/edits/spin_buttons.h"

#include <cstdint>

namespace pellamo {

class TsuiSpinEdit : public TsuiEdit {
public:
    explicit TsuiSpinEdit(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int MinValue() const { return min_value_; }
    void SetMinValue(int v) { min_value_ = v; }
    int MaxValue() const { return max_value_; }
    void SetMaxValue(int v) { max_value_ = v; }
    int Increment() const { return increment_; }
    void SetIncrement(int v) { increment_ = v; }
    bool EditorEnabled() const { return editor_enabled_; }
    void SetEditorEnabled(bool on) { editor_enabled_ = on; }
    // The text as an integer; MinValue when it is none.
    int Value() const;
    // Limited by MinValue and MaxValue, shown as decimal text.
    void SetValue(int value);

    TsuiSpinButtons* Buttons() const { return buttons_; }

    virtual void UpClick(TObject* sender);
    virtual void DownClick(TObject* sender);

    void CutToClipboard() override;
    void PasteFromClipboard() override;
    void ClearSelection() override;
    void Undo() override;

protected:
    void UIStyleChanged() override;
    bool AcceptChar(char16_t key) override;
    virtual bool IsValidChar(char16_t key) const;
    void KeyDown(UINT& key, TShiftState shift) override;
    void DoExit() override;
    void Resize() override;
    void WndProc(TMessage& message) override;

private:
    bool EditorWritable() const { return editor_enabled_ && !ReadOnly(); }
    void Step(std::int64_t delta);
    void WriteValue(std::int64_t value);
    void PlaceButtons();

    TsuiSpinButtons* buttons_ = nullptr;
    int min_value_ = 0;
    int max_value_ = 0;
    int increment_ = 1;
    bool editor_enabled_ = true;
};

}
