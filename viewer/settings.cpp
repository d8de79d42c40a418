#include "viewer/settings.h"

#include "platform/text/trim.h"
#include "platform/text/utf8.h"
#include "viewer/atomic_file.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace pellamo {

namespace fs = std::filesystem;

namespace {

bool IsName(std::string_view name)
{
    if (name.empty() || name.size() > 64)
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
                || c == '.'))
            return false;
    return true;
}

fs::path ConfigHome()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / ".config";
}

}

fs::path Settings::DefaultFile() { return ConfigHome() / "pellamo" / "pellamo.ini"; }

Settings::Settings(fs::path file)
    : file_(std::move(file))
{
}

std::vector<Settings::Group> Settings::Parse(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        throw std::runtime_error("it holds NUL bytes");
    if (!IsValidUtf8(text))
        throw std::runtime_error("it is not UTF-8 text");
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<Group> groups(1); // the nameless group: lines before the first heading
    int number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        std::string_view line = Trim(raw);
        Line kept { std::string(raw), {}, {} };
        if (line.empty() || line[0] == '#' || line[0] == ';') {
            groups.back().lines.push_back(std::move(kept));
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']' || !IsName(Trim(line.substr(1, line.size() - 2))))
                throw std::runtime_error("line " + std::to_string(number) + " is no group heading");
            groups.push_back({ std::string(Trim(line.substr(1, line.size() - 2))), { std::move(kept) } });
            continue;
        }
        size_t eq = line.find('=');
        std::string_view key = eq == std::string_view::npos ? line : Trim(line.substr(0, eq));
        if (eq == std::string_view::npos || !IsName(key))
            throw std::runtime_error("line " + std::to_string(number) + " is no setting");
        for (char c : line)
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                throw std::runtime_error("line " + std::to_string(number) + " holds control characters");
        kept.key = key;
        kept.value = Trim(line.substr(eq + 1));
        groups.back().lines.push_back(std::move(kept));
    }
    return groups;
}

bool Settings::Load()
{
    groups_.clear();
    problem_.clear();
    changed_ = false;
    try {
        std::optional<std::string> bytes = ReadSmallFile(file_, kMaxBytes);
        if (bytes)
            groups_ = Parse(*bytes);
        return true;
    } catch (const std::runtime_error& e) {
        std::string why = e.what();
        problem_
            = why.rfind("Cannot", 0) == 0 ? why : "The settings file " + file_.string() + " cannot be used: " + why;
        groups_.clear();
        return false;
    }
}

bool Settings::LoadText(std::string_view text)
{
    groups_.clear();
    problem_.clear();
    changed_ = false;
    try {
        if (text.size() > kMaxBytes)
            throw std::runtime_error("it is too large");
        groups_ = Parse(text);
        return true;
    } catch (const std::runtime_error& e) {
        problem_ = "The settings file " + file_.string() + " cannot be used: " + e.what();
        groups_.clear();
        return false;
    }
}

const Settings::Line* Settings::Find(std::string_view group, std::string_view key) const
{
    // A later line wins, as a later heading of the same group adds to it.
    const Line* found = nullptr;
    for (const Group& g : groups_)
        if (g.name == group)
            for (const Line& line : g.lines)
                if (!line.key.empty() && line.key == key)
                    found = &line;
    return found;
}

std::optional<std::string> Settings::Get(std::string_view group, std::string_view key) const
{
    if (const Line* line = Find(group, key))
        return line->value;
    return std::nullopt;
}

int Settings::GetInt(std::string_view group, std::string_view key, int fallback, int min, int max) const
{
    std::optional<std::string> text = Get(group, key);
    if (!text)
        return fallback;
    int value = 0;
    const char* end = text->data() + text->size();
    auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (ec != std::errc() || ptr != end || value < min || value > max)
        return fallback;
    return value;
}

bool Settings::GetBool(std::string_view group, std::string_view key, bool fallback) const
{
    std::optional<std::string> text = Get(group, key);
    if (!text)
        return fallback;
    if (*text == "true" || *text == "1" || *text == "yes" || *text == "on")
        return true;
    if (*text == "false" || *text == "0" || *text == "no" || *text == "off")
        return false;
    return fallback;
}

void Settings::Set(std::string_view group, std::string_view key, std::string value)
{
    if (!IsName(group) || !IsName(key))
        throw std::invalid_argument("Settings are named by letters, digits, '_', '-' and '.'");
    value = ValidUtf8(value);
    for (char& c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    value = std::string(Trim(value));
    changed_ = true;
    if (const Line* found = Find(group, key)) {
        Line& line = const_cast<Line&>(*found);
        line.value = std::move(value);
        line.text = line.key + "=" + line.value;
        return;
    }
    Line line { std::string(key) + "=" + value, std::string(key), value };
    for (auto g = groups_.rbegin(); g != groups_.rend(); ++g) {
        if (g->name != group)
            continue;
        // After the group's last setting, before the comments that may head the next group.
        auto at = g->lines.end();
        for (auto it = g->lines.begin(); it != g->lines.end(); ++it)
            if (!it->key.empty() || it == g->lines.begin())
                at = it + 1;
        g->lines.insert(at, std::move(line));
        return;
    }
    if (groups_.empty())
        groups_.push_back({});
    Group added { std::string(group), {} };
    bool first = groups_.size() == 1 && groups_[0].lines.empty();
    if (!first)
        added.lines.push_back({ "", {}, {} });
    std::string heading = "[";
    heading.append(group).append("]"); // appended: GCC 12 at -O3 misreads "[" + text + "]"
    added.lines.push_back({ std::move(heading), {}, {} });
    added.lines.push_back(std::move(line));
    groups_.push_back(std::move(added));
}

std::string Settings::Text() const
{
    std::string text;
    for (const Group& g : groups_)
        for (const Line& line : g.lines)
            text += line.text + "\n";
    return text;
}

std::optional<std::string> Settings::TakeTextToSave()
{
    if (!problem_.empty() && !changed_)
        return std::nullopt;
    if (!problem_.empty()) {
        // What could not be read stays beside the new file.
        std::error_code ec;
        if (fs::is_regular_file(file_, ec))
            fs::rename(file_, fs::path(file_.string() + ".bad"), ec);
    }
    problem_.clear();
    changed_ = false;
    return Text();
}

bool Settings::Save()
{
    bool had_problem = !problem_.empty();
    bool was_changed = changed_;
    std::optional<std::string> text = TakeTextToSave();
    if (!text)
        return false;
    try {
        WriteFileAtomically(file_, *text);
    } catch (...) {
        // Not saved: the next Save() tries again.
        changed_ = was_changed || had_problem;
        throw;
    }
    return true;
}
}
