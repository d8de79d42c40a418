#pragma once

// The text an edit box holds, apart from any window: GBK bytes, the caret
// and the selection's other end (the anchor), a byte limit for typed text,
// one level of undo, and the edits keys make (typing over the selection,
// backspace, delete, moves by character and by word, the clipboard's cut,
// copy and paste as calls that hand text out or take it in).
//
// Positions are byte offsets that always fall on character boundaries; a
// CR LF pair counts as one character. The single-line edit box and the
// tree's in-place label editor both keep their text here.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace pellamo {

class TextEditModel {
public:
    const std::string& Text() const { return text_; }
    // Text set by code: the caret goes to the start and undo is forgotten.
    void SetText(std::string text);
    // Text that replaced ours while an edit was being stored (a handler
    // rewrote it): the caret and anchor stay, moved onto it; undo stays.
    void Adopt(std::string text);

    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    int SelStart() const { return std::min(caret_, anchor_); }
    int SelLength() const { return std::abs(caret_ - anchor_); }
    int SelEnd() const { return SelStart() + SelLength(); }
    std::string SelText() const;

    // Bytes that typed text may fill; 0 is no limit. Text set by code is
    // never cut.
    int MaxLength() const { return max_length_; }
    void SetMaxLength(int bytes) { max_length_ = std::max(0, bytes); }
    // Both ends snapped back onto character boundaries.
    void Select(int anchor, int caret);
    void SelectAll() { Select(0, static_cast<int>(text_.size())); }
    // The selection shrinks to the caret.
    void Collapse() { anchor_ = caret_; }
    // Moves the caret (clamped, not snapped); `extend` keeps the anchor.
    void MoveTo(int pos, bool extend);
    // Left and Right: without `extend` a selection collapses to its near end.
    void MoveLeft(bool extend);
    void MoveRight(bool extend);
    // Ctrl+Left and Ctrl+Right: to the start of the word before, or of the
    // word after the caret.
    void MoveWordLeft(bool extend);
    void MoveWordRight(bool extend);

    // The character boundaries either side of `pos`.
    int NextPos(int pos) const;
    int PrevPos(int pos) const;
    // The run of characters round `pos` that are neither spaces nor line
    // breaks (what a double click selects): [first, second).
    std::pair<int, int> WordAround(int pos) const;

    // Replaces the selection with `text` and puts the caret after it.
    // Typed text is cut to MaxLength on a character boundary. Returns
    // whether the text changed.
    bool Replace(std::string text, bool typed);
    // Backspace and Delete: the selection, else the character before or
    // after the caret.
    bool Backspace();
    bool DeleteForward();
    bool DeleteSelection();
    // Ctrl+X hands out the selection and removes it; Ctrl+V types `text`.
    std::string Cut();
    bool Paste(const std::string& text) { return Replace(text, true); }

    bool CanUndo() const { return has_undo_; }
    // Back to the text before the last change (undo undoes itself).
    bool Undo();

private:
    void DeleteRange(int from, int to);
    void SaveUndo();
    bool IsWordChar(int pos) const;
    int Snap(int pos) const;
    int WalkStartBefore(int limit) const;

    std::string text_;
    int caret_ = 0;
    int anchor_ = 0;
    int max_length_ = 0;
    bool has_undo_ = false;
    std::string undo_text_;
    int undo_caret_ = 0;
};

// One UTF-16 unit of typed text as GBK: a high surrogate waits in `high`
// for its low half; a lone low surrogate gives nothing.
std::string TypedUnitToGbk(char16_t& high, char16_t unit);

}
