#include "skin/edits/spin_edit.h"

#include "platform/components/props.h"
#include "platform/window/window_system.h"
#include "skin/edits/spin_value.h"

#include <string>

namespace pellamo {

TsuiSpinEdit::TsuiSpinEdit(TComponent* owner)
    : TsuiEdit(owner)
{
    // The buttons belong to the edit and are not stored with the window.
    buttons_ = new TsuiSpinButtons(this);
    buttons_->SetBounds(0, 0, 15, 20);
    buttons_->SetVisible(true);
    buttons_->SetParent(this);
    buttons_->OnUpClick = [this](TObject* sender) { UpClick(sender); };
    buttons_->OnDownClick = [this](TObject* sender) { DownClick(sender); };
    SetText("0");
    UIStyleChanged();
    PlaceButtons();
}

const ClassInfo& TsuiSpinEdit::StaticClass()
{
    using E = TsuiSpinEdit;
    static const ClassInfo info("TsuiSpinEdit", &TsuiEdit::StaticClass(),
        {
            props::Bool<E>("EditorEnabled", &E::EditorEnabled, &E::SetEditorEnabled),
            props::Int<E>("Increment", &E::Increment, &E::SetIncrement),
            props::Int<E>("MaxValue", &E::MaxValue, &E::SetMaxValue),
            props::Int<E>("MinValue", &E::MinValue, &E::SetMinValue),
            props::Int<E>("Value", &E::Value, &E::SetValue),
        },
        FactoryOf<E>());
    return info;
}

int TsuiSpinEdit::Value() const { return ReadSpinText(Text(), min_value_); }

void TsuiSpinEdit::SetValue(int value) { WriteValue(value); }

void TsuiSpinEdit::WriteValue(std::int64_t value)
{
    SetText(std::to_string(CheckSpinValue(value, min_value_, max_value_)));
}

void TsuiSpinEdit::Step(std::int64_t delta)
{
    if (ReadOnly()) {
        Windows().MessageBeep();
        return;
    }
    WriteValue(static_cast<std::int64_t>(Value()) + delta);
}

void TsuiSpinEdit::UpClick(TObject*) { Step(increment_); }

void TsuiSpinEdit::DownClick(TObject*) { Step(-static_cast<std::int64_t>(increment_)); }

void TsuiSpinEdit::UIStyleChanged()
{
    if (!buttons_)
        return;
    buttons_->SetUIStyle(UIStyle());
    buttons_->SetFileTheme(FileTheme());
}

bool TsuiSpinEdit::IsValidChar(char16_t key) const { return SpinEditAcceptsKey(key, editor_enabled_); }

bool TsuiSpinEdit::AcceptChar(char16_t key)
{
    if (IsValidChar(key))
        return true;
    Windows().MessageBeep();
    return false;
}

void TsuiSpinEdit::KeyDown(UINT& key, TShiftState shift)
{
    if (key == VK_UP)
        UpClick(this);
    else if (key == VK_DOWN)
        DownClick(this);
    // A closed editor takes no deleting either.
    if (key == VK_DELETE && !editor_enabled_)
        key = 0;
    TsuiEdit::KeyDown(key, shift);
}

void TsuiSpinEdit::CutToClipboard()
{
    if (EditorWritable())
        TsuiEdit::CutToClipboard();
}

void TsuiSpinEdit::PasteFromClipboard()
{
    if (EditorWritable())
        TsuiEdit::PasteFromClipboard();
}

void TsuiSpinEdit::ClearSelection()
{
    if (editor_enabled_)
        TsuiEdit::ClearSelection();
}

void TsuiSpinEdit::Undo()
{
    if (editor_enabled_)
        TsuiEdit::Undo();
}

void TsuiSpinEdit::DoExit()
{
    TsuiEdit::DoExit();
    if (HasState(csDestroying))
        return;
    int value = Value();
    if (CheckSpinValue(value, min_value_, max_value_) != value)
        SetValue(value);
}

void TsuiSpinEdit::PlaceButtons()
{
    if (!buttons_)
        return;
    int width = buttons_->Width();
    buttons_->SetBounds(ClientWidth() - width, 0, width, ClientHeight());
    // Typed text never runs under the buttons.
    SetRightMargin(buttons_->Width());
}

void TsuiSpinEdit::Resize()
{
    TsuiEdit::Resize();
    PlaceButtons();
}

void TsuiSpinEdit::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSEWHEEL) {
        // One step per notch, up away from the user.
        int notches = static_cast<short>(HIWORD(message.WParam)) / WHEEL_DELTA;
        for (int i = 0; i < notches; ++i)
            UpClick(this);
        for (int i = 0; i > notches; --i)
            DownClick(this);
        message.Result = 0;
        return;
    }
    TsuiEdit::WndProc(message);
}

}
