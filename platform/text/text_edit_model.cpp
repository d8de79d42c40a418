#include "platform/text/text_edit_model.h"

#include "platform/text/gbk.h"
#include "platform/text/gbk_chars.h"

namespace pellamo {

namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

}

void TextEditModel::SetText(std::string text)
{
    text_ = std::move(text);
    caret_ = anchor_ = 0;
    has_undo_ = false;
}

void TextEditModel::Adopt(std::string text)
{
    text_ = std::move(text);
    Select(anchor_, caret_);
}

std::string TextEditModel::SelText() const
{
    return text_.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

// GBK cannot be read backwards: a walk starts after a byte that is always a
// character of its own (below 0x40 no trail byte lies) and not the CR of a
// CR LF pair, at or before `limit`.
int TextEditModel::WalkStartBefore(int limit) const
{
    for (int i = std::min(limit, static_cast<int>(text_.size())) - 1; i >= 0; --i) {
        auto c = static_cast<unsigned char>(text_[static_cast<size_t>(i)]);
        bool pair = c == '\r' && static_cast<size_t>(i) + 1 < text_.size() && text_[static_cast<size_t>(i) + 1] == '\n';
        if (c < 0x40 && !pair)
            return i + 1;
    }
    return 0;
}

int TextEditModel::NextPos(int pos) const
{
    int n = static_cast<int>(text_.size());
    if (pos >= n)
        return n;
    if (pos < 0)
        return 0;
    auto i = static_cast<size_t>(pos);
    if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n')
        return pos + 2;
    return pos + static_cast<int>(GbkCharLength(text_, i));
}

int TextEditModel::PrevPos(int pos) const
{
    pos = std::min(pos, static_cast<int>(text_.size()));
    if (pos <= 0)
        return 0;
    int prev = WalkStartBefore(pos - 1);
    for (int i = prev; i < pos; i = NextPos(i))
        prev = i;
    return prev;
}

int TextEditModel::Snap(int pos) const
{
    pos = std::clamp(pos, 0, static_cast<int>(text_.size()));
    int b = WalkStartBefore(pos);
    while (b < pos) {
        int next = NextPos(b);
        if (next > pos)
            break;
        b = next;
    }
    return b;
}

void TextEditModel::Select(int anchor, int caret)
{
    anchor_ = Snap(anchor);
    caret_ = Snap(caret);
}

void TextEditModel::MoveTo(int pos, bool extend)
{
    caret_ = std::clamp(pos, 0, static_cast<int>(text_.size()));
    if (!extend)
        anchor_ = caret_;
}

void TextEditModel::MoveLeft(bool extend)
{
    if (!extend && SelLength() > 0)
        MoveTo(SelStart(), false);
    else
        MoveTo(PrevPos(caret_), extend);
}

void TextEditModel::MoveRight(bool extend)
{
    if (!extend && SelLength() > 0)
        MoveTo(SelEnd(), false);
    else
        MoveTo(NextPos(caret_), extend);
}

bool TextEditModel::IsWordChar(int pos) const
{
    if (pos < 0 || pos >= static_cast<int>(text_.size()))
        return false;
    char c = text_[static_cast<size_t>(pos)];
    return c != ' ' && !IsBreak(c);
}

void TextEditModel::MoveWordLeft(bool extend)
{
    int pos = caret_;
    while (pos > 0 && !IsWordChar(PrevPos(pos)))
        pos = PrevPos(pos);
    while (pos > 0 && IsWordChar(PrevPos(pos)))
        pos = PrevPos(pos);
    MoveTo(pos, extend);
}

void TextEditModel::MoveWordRight(bool extend)
{
    int pos = caret_;
    while (IsWordChar(pos))
        pos = NextPos(pos);
    while (pos < static_cast<int>(text_.size()) && !IsWordChar(pos))
        pos = NextPos(pos);
    MoveTo(pos, extend);
}

std::pair<int, int> TextEditModel::WordAround(int pos) const
{
    pos = Snap(pos);
    int from = pos;
    while (from > 0 && IsWordChar(PrevPos(from)))
        from = PrevPos(from);
    int to = pos;
    while (IsWordChar(to))
        to = NextPos(to);
    return { from, to };
}

bool TextEditModel::Replace(std::string text, bool typed)
{
    int start = SelStart();
    int length = SelLength();
    if (typed && max_length_ > 0) {
        int room = max_length_ - (static_cast<int>(text_.size()) - length);
        if (room <= 0)
            text.clear();
        else if (static_cast<int>(text.size()) > room) {
            // Cut on a character boundary.
            size_t keep = 0;
            while (keep < text.size()) {
                size_t step = GbkCharLength(text, keep);
                if (keep + step > static_cast<size_t>(room))
                    break;
                keep += step;
            }
            text.resize(keep);
        }
    }
    if (text.empty() && length == 0)
        return false;
    SaveUndo();
    text_.replace(static_cast<size_t>(start), static_cast<size_t>(length), text);
    caret_ = anchor_ = start + static_cast<int>(text.size());
    return true;
}

void TextEditModel::DeleteRange(int from, int to)
{
    SaveUndo();
    text_.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
    caret_ = anchor_ = from;
}

bool TextEditModel::DeleteSelection()
{
    if (SelLength() == 0)
        return false;
    DeleteRange(SelStart(), SelEnd());
    return true;
}

bool TextEditModel::Backspace()
{
    if (DeleteSelection())
        return true;
    if (caret_ == 0)
        return false;
    DeleteRange(PrevPos(caret_), caret_);
    return true;
}

bool TextEditModel::DeleteForward()
{
    if (DeleteSelection())
        return true;
    if (caret_ >= static_cast<int>(text_.size()))
        return false;
    DeleteRange(caret_, NextPos(caret_));
    return true;
}

std::string TextEditModel::Cut()
{
    std::string cut = SelText();
    DeleteSelection();
    return cut;
}

void TextEditModel::SaveUndo()
{
    has_undo_ = true;
    undo_text_ = text_;
    undo_caret_ = caret_;
}

bool TextEditModel::Undo()
{
    if (!has_undo_)
        return false;
    std::string text = std::move(undo_text_);
    int caret = undo_caret_;
    SaveUndo();
    text_ = std::move(text);
    caret_ = anchor_ = std::min(caret, static_cast<int>(text_.size()));
    return true;
}

std::string TypedUnitToGbk(char16_t& high, char16_t unit)
{
    std::u16string units;
    if (unit >= 0xD800 && unit < 0xDC00) {
        high = unit;
        return {};
    }
    if (unit >= 0xDC00 && unit < 0xE000) {
        if (!high)
            return {};
        units.push_back(high);
    }
    high = 0;
    units.push_back(unit);
    return Utf16ToGbk(units);
}

}
