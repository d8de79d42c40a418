#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// A list of text lines that also works as a list of "Name: value" headers.
class TExStringList {
public:
    int Count() const { return static_cast<int>(m_lines.size()); }
    const std::string& operator[](int index) const { return m_lines.at(static_cast<size_t>(index)); }
    const std::vector<std::string>& Lines() const { return m_lines; }
    void Add(std::string line) { m_lines.push_back(std::move(line)); }
    void Delete(int index);
    void Clear() { m_lines.clear(); }
    // Every line followed by CR LF.
    std::string Text() const;

    // Index of the first line whose text before its first ":" equals `name`
    // ignoring case; lines without ":" are skipped. -1 when there is none.
    int FindHeader(std::string_view name) const;
    // Replaces (or appends) the line "name: value"; an empty value removes it.
    void SetHeader(std::string_view name, std::string_view value);

private:
    std::vector<std::string> m_lines;
};

}
