#include "net/ex_string_list.h"

#include <stdexcept>

namespace pellamo {

namespace {
bool SameTextIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}
}

void TExStringList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    m_lines.erase(m_lines.begin() + index);
}

std::string TExStringList::Text() const
{
    std::string text;
    for (auto const& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

int TExStringList::FindHeader(std::string_view name) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view line = m_lines[i];
        size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        if (SameTextIgnoringCase(line.substr(0, colon), name))
            return static_cast<int>(i);
    }
    return -1;
}

void TExStringList::SetHeader(std::string_view name, std::string_view value)
{
    int index = FindHeader(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    std::string line = std::string(name) + ": " + std::string(value);
    if (index >= 0)
        m_lines[static_cast<size_t>(index)] = std::move(line);
    else
        m_lines.push_back(std::move(line));
}

}
