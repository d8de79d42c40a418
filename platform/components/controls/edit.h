#pragma once

// TCustomEdit / TEdit: text editing with caret, selection (mouse, Shift
// with the arrows), the clipboard, one level of undo, typed text from the
// input method (UTF-16 in WM_CHAR, kept as GBK), ReadOnly and MaxLength
// (bytes). TCustomMemo builds the multi-line edit on the same engine.
//
// Positions (SelStart, SelLength) count bytes of the GBK text and always
// fall on character boundaries.
//
// For editors built on it: the text can stand right-aligned or centred, a
// right margin keeps typed text clear of something drawn over the edit's
// right edge, every typed character (backspace too) passes AcceptChar after
// OnKeyPress, and the clipboard and undo operations are virtual, so the
// keys that reach them can be refused in one place.

#include "platform/components/controls/custom_control.h"
#include "platform/text/text_edit_model.h"

#include <map>
#include <string>
#include <vector>

namespace pellamo {

class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool on) { read_only_ = on; }
    // Bytes; 0 is no limit. Text set by code is not cut.
    int MaxLength() const { return model_.MaxLength(); }
    void SetMaxLength(int bytes) { model_.SetMaxLength(bytes); }
    // Shown instead of every character when not 0.
    char PasswordChar() const { return password_char_; }
    void SetPasswordChar(char c);
    std::string PasswordCharText() const { return password_char_ ? std::string(1, password_char_) : std::string(); }
    void SetPasswordCharText(const std::string& s) { SetPasswordChar(s.empty() ? '\0' : s[0]); }
    bool AutoSelect() const { return auto_select_; }
    void SetAutoSelect(bool on) { auto_select_ = on; }
    bool HideSelection() const { return hide_selection_; }
    void SetHideSelection(bool on);
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle style);
    // Typed letters are turned to this case.
    TEditCharCase CharCase() const { return char_case_; }
    void SetCharCase(TEditCharCase c) { char_case_ = c; }
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on) { auto_size_ = on; }
    bool OEMConvert() const { return oem_convert_; }
    void SetOEMConvert(bool on) { oem_convert_ = on; }
    bool Modified() const { return modified_; }
    void SetModified(bool on) { modified_ = on; }
    // Where the text stands when it is narrower than the edit.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    // Pixels at the right of the client area that the text keeps clear of.
    int RightMargin() const { return right_margin_; }
    void SetRightMargin(int pixels);

    int SelStart() const;
    void SetSelStart(int pos);
    int SelLength() const;
    void SetSelLength(int length);
    std::string SelText() const;
    // Replaces the selection as typing would (ReadOnly and MaxLength aside).
    void SetSelText(const std::string& text);
    void SelectAll();
    // Each is what its key does too (Delete with a selection; Ctrl+C and
    // Ctrl+Insert; Ctrl+X and Shift+Delete; Ctrl+V and Shift+Insert; Ctrl+Z).
    virtual void ClearSelection();
    virtual void CopyToClipboard();
    virtual void CutToClipboard();
    virtual void PasteFromClipboard();
    bool CanUndo() const { return model_.CanUndo(); }
    virtual void Undo();
    void Clear() { SetText(""); }
    int CaretPos() const { return model_.Caret(); }

    TNotifyEvent OnChange;

protected:
    struct LineSpan {
        int start; // byte offsets into the text
        int end; // the line break (if any) lies after end
    };

    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Resize() override;
    void KeyDown(UINT& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void DoEnter() override;
    bool WantsTab() const override { return multi_line_ && want_tabs_; }
    bool WantsKey(UINT key) const override { return key == VK_RETURN && multi_line_ && want_returns_; }
    virtual void Change();
    // Whether `text` may be typed at the caret (masked edits refuse).
    virtual bool AcceptInsert(std::string& text);
    // Whether a typed character (after OnKeyPress; backspace and other
    // control characters too) reaches the text. False drops it.
    virtual bool AcceptChar(char16_t) { return true; }

    // Multi-line behaviour, switched on by the memo.
    bool multi_line_ = false;
    bool word_wrap_ = false;
    bool want_returns_ = true;
    bool want_tabs_ = false;
    int top_line_ = 0; // first visible line (multi-line)

    const std::vector<LineSpan>& Lines() const;
    int LineOfPos(int pos) const;
    int LineHeight() const;
    int VisibleLineCount() const;
    Rect TextArea() const;
    // Keeps the caret in view; multi-line edits also update their scroll bar.
    void ScrollCaretIntoView();
    virtual void UpdateScrollBar() { }
    void ScrollToLine(int line);
    void InvalidateLayout();
    // Horizontal scrolling of text wider than the edit, in pixels: how far
    // the text is scrolled, the width of the widest line with room for the
    // caret after it, and a step of about one character.
    int HorzOffset() const { return x_offset_; }
    void ScrollToX(int x);
    int ContentWidth() const;
    int CharStep() const { return std::max(1, CharWidth('x')); }

private:
    void Insert(std::string text, bool typed);
    // The model's text changed by an edit: into the control's text.
    void Commit();
    void MoveCaret(int pos, bool extend);
    void CaretMoved();
    int NextPos(int pos) const;
    int PrevPos(int pos) const;
    int PosFromPoint(Point p) const;
    Point PointFromPos(int pos) const;
    int CharWidth(unsigned code) const;
    int TextWidth(int from, int to) const;
    // Where line `index` starts on screen (alignment and scrolling applied).
    int LineLeft(int index) const;
    std::string DisplayText(int from, int to) const;
    void SetTextKeepingCaret(const std::string& text);

    bool read_only_ = false;
    char password_char_ = 0;
    bool auto_select_ = true;
    bool hide_selection_ = true;
    TBorderStyle border_style_ = TBorderStyle::bsSingle;
    bool modified_ = false;
    TEditCharCase char_case_ = TEditCharCase::ecNormal;
    bool auto_size_ = true;
    bool oem_convert_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int right_margin_ = 0;
    TextEditModel model_; // the text mirrors Caption()
    int x_offset_ = 0; // single-line horizontal scroll in pixels
    bool selecting_ = false; // mouse drag
    bool changing_ = false; // our own edit is setting the text
    char16_t high_surrogate_ = 0;
    mutable std::vector<LineSpan> lines_;
    mutable bool layout_valid_ = false;
    mutable int content_width_ = -1; // measured on demand after each layout
    mutable std::map<unsigned, int> widths_;
    mutable int line_height_ = 0;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
