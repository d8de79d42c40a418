#include "chooser/file_filter.h"

namespace pellamo {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}

bool MatchesPattern(std::string_view pattern, std::string_view name)
{
    // Iterative matching with one back-track point: linear in practice,
    // never exponential on patterns of many stars.
    size_t p = 0, n = 0;
    size_t star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

FileFilter FileFilter::Parse(std::string name, std::string_view patterns)
{
    FileFilter filter;
    filter.name = std::move(name);
    std::string part;
    auto flush = [&] {
        if (!part.empty())
            filter.patterns.push_back(part);
        part.clear();
    };
    for (char c : patterns) {
        if (c == ';' || c == ',' || c == ' ' || c == '\t')
            flush();
        else
            part += c;
    }
    flush();
    return filter;
}

bool FileFilter::Matches(std::string_view file_name) const
{
    if (patterns.empty())
        return true;
    for (const std::string& pattern : patterns)
        if (MatchesPattern(pattern, file_name))
            return true;
    return false;
}

std::string FileFilter::PatternText() const
{
    std::string text;
    for (const std::string& pattern : patterns)
        text += (text.empty() ? "" : ";") + pattern;
    return text.empty() ? "*" : text;
}

}
