#include "platform/components/controls/mask_edit.h"

#include "platform/components/props.h"

#include <cctype>

namespace pellamo {

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner)
    : TCustomEdit(owner)
{
}

const ClassInfo& TCustomMaskEdit::StaticClass()
{
    static const ClassInfo info("TCustomMaskEdit", &TCustomEdit::StaticClass(),
        {
            props::Str<TCustomMaskEdit>("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask),
        });
    return info;
}

const ClassInfo& TMaskEdit::StaticClass()
{
    static const ClassInfo info("TMaskEdit", &TCustomMaskEdit::StaticClass(), {}, FactoryOf<TMaskEdit>());
    return info;
}

void TCustomMaskEdit::SetEditMask(const std::string& mask)
{
    edit_mask_ = mask;
    slots_.clear();
    std::string body = mask.substr(0, mask.find(';'));
    int shift = 0;
    for (size_t i = 0; i < body.size(); ++i) {
        char m = body[i];
        switch (m) {
        case '>':
            shift = 1;
            break;
        case '<':
            shift = (i + 1 < body.size() && body[i + 1] == '>') ? 0 : -1;
            if (shift == 0)
                ++i;
            break;
        case '!':
            break;
        case '\\':
            if (i + 1 < body.size())
                slots_.push_back({ 0, body[++i], 0 });
            break;
        case '0':
        case '9':
        case '#':
        case 'L':
        case 'l':
        case 'A':
        case 'a':
        case 'C':
        case 'c':
            slots_.push_back({ m, 0, shift });
            break;
        default:
            slots_.push_back({ 0, m, 0 });
        }
    }
    SetMaxLength(static_cast<int>(slots_.size()));
}

bool TCustomMaskEdit::Fits(char kind, char c)
{
    auto u = static_cast<unsigned char>(c);
    switch (kind) {
    case '0':
        return std::isdigit(u) != 0;
    case '9':
        return std::isdigit(u) || c == ' ';
    case '#':
        return std::isdigit(u) || c == ' ' || c == '+' || c == '-';
    case 'L':
    case 'l':
        return std::isalpha(u) != 0;
    case 'A':
    case 'a':
        return std::isalnum(u) != 0;
    default:
        return u >= 0x20 && u < 0x80;
    }
}

bool TCustomMaskEdit::AcceptInsert(std::string& text)
{
    if (!IsMasked())
        return true;
    size_t pos = static_cast<size_t>(SelStart());
    std::string out;
    for (char c : text) {
        // Literals of the mask come in by themselves.
        while (pos < slots_.size() && slots_[pos].kind == 0 && slots_[pos].literal != c) {
            out += slots_[pos].literal;
            ++pos;
        }
        if (pos >= slots_.size())
            return false;
        const Slot& s = slots_[pos];
        if (s.kind == 0) {
            out += c;
        } else {
            if (!Fits(s.kind, c))
                return false;
            auto u = static_cast<unsigned char>(c);
            out += s.case_shift > 0 ? static_cast<char>(std::toupper(u))
                : s.case_shift < 0  ? static_cast<char>(std::tolower(u))
                                    : c;
        }
        ++pos;
    }
    // Typing at the end brings in the literals that follow, so the caret
    // moves past them.
    if (static_cast<size_t>(SelStart() + SelLength()) >= Text().size())
        while (pos < slots_.size() && slots_[pos].kind == 0)
            out += slots_[pos++].literal;
    text = out;
    return true;
}

}
