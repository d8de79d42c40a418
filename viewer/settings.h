#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// The viewer's settings: a small key=value file in [group]s.
//
//     [player]
//     volume=80
//
// Lines starting with '#' or ';' are comments. Everything read is kept as
// it stood, keys the program does not know and comments included, so that
// saving changes only the values that were Set. A file that cannot be read
// or does not look like settings gives empty settings and a Problem(), and
// is not overwritten until something is Set (the old file is then kept
// beside the new one as "<name>.bad").
class Settings {
public:
    // $XDG_CONFIG_HOME/pellamo/pellamo.ini, or ~/.config/pellamo/pellamo.ini
    // when $XDG_CONFIG_HOME is unset or not absolute.
    static std::filesystem::path DefaultFile();

    explicit Settings(std::filesystem::path file = DefaultFile());

    const std::filesystem::path& File() const { return file_; }

    // Reads the file again. A missing file is empty settings and no
    // problem; false when the file is unreadable or corrupt.
    bool Load();
    // The same from text already read (File() is where it would be saved).
    bool LoadText(std::string_view text);
    // Why the last Load() gave the defaults (English); empty when it did not.
    const std::string& Problem() const { return problem_; }

    std::optional<std::string> Get(std::string_view group, std::string_view key) const;
    // A whole number within [min, max], else `fallback`.
    int GetInt(std::string_view group, std::string_view key, int fallback, int min, int max) const;
    // "true"/"false" (also 1/0, yes/no, on/off), else `fallback`.
    bool GetBool(std::string_view group, std::string_view key, bool fallback) const;

    // Group and key names are letters, digits, '_', '-' and '.'
    // (std::invalid_argument otherwise). Control characters in the value
    // become spaces: a value is one line.
    void Set(std::string_view group, std::string_view key, std::string value);
    void SetInt(std::string_view group, std::string_view key, int value) { Set(group, key, std::to_string(value)); }
    void SetBool(std::string_view group, std::string_view key, bool value)
    {
        Set(group, key, value ? "true" : "false");
    }

    // Whether something was Set since the last Load() or Save().
    bool Changed() const { return changed_; }
    // Writes the file atomically. Returns false without writing when the
    // file failed to load and nothing was Set since. Throws
    // std::runtime_error naming the file when it cannot be written.
    bool Save();
    // Save() without the writing: the text to write to File() when saving
    // is allowed (the settings then count as saved), else nothing.
    std::optional<std::string> TakeTextToSave();

    // The settings as the file holds them.
    std::string Text() const;

    // Reserved: the look the viewer chose in the skin menu.
    static constexpr std::string_view kLookGroup = "look";
    static constexpr std::string_view kLookChoice = "choice";

    static constexpr size_t kMaxBytes = 1024 * 1024;

private:
    struct Line {
        std::string text; // as read (comments, blank lines, group headings)
        std::string key; // empty for lines that are no setting
        std::string value;
    };
    struct Group {
        std::string name;
        std::vector<Line> lines;
    };

    // Throws std::runtime_error saying what is wrong.
    static std::vector<Group> Parse(std::string_view text);
    const Line* Find(std::string_view group, std::string_view key) const;

    std::filesystem::path file_;
    std::vector<Group> groups_;
    std::string problem_;
    bool changed_ = false;
};

}
