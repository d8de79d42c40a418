#pragma once

// Writes a theme file: entries are collected by name and written by Save
// in the order all files, all strings, all integers, all flags, then the
// end record. Names are cut to 64 characters. As in a list of name=value
// lines, an entry's value is looked up by its name: a name given twice in
// one list writes its first value twice.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pellamo {

class TsuiThemeFileWriter {
public:
    explicit TsuiThemeFileWriter(std::string file_name);
    // Saves what has not been saved yet. Never throws: a failure here is
    // lost, so call Save to hear of it.
    ~TsuiThemeFileWriter();
    TsuiThemeFileWriter(const TsuiThemeFileWriter&) = delete;
    TsuiThemeFileWriter& operator=(const TsuiThemeFileWriter&) = delete;

    // Embeds the file at `path` as it is when saved.
    void AddFile(const std::string& name, const std::string& path);
    // Embeds these bytes.
    void AddFileData(const std::string& name, std::span<const uint8_t> bytes);
    void AddInteger(const std::string& name, int32_t value);
    void AddBool(const std::string& name, bool value);
    void AddStr(const std::string& name, const std::string& value);

    // Writes the file. Throws EFOpenError or EReadError when a file to
    // embed cannot be read (the output is then not touched) and
    // EFOpenError or EWriteError when the output cannot be written.
    void Save();
    // The bytes Save writes.
    std::vector<uint8_t> Build() const;
    // Leaves the file alone from now on, unless Save is called.
    void Discard() { unsaved_ = false; }

private:
    struct FileEntry {
        std::string name;
        std::string path; // used when `data` is not held
        bool held = false;
        std::vector<uint8_t> data;
    };

    std::string file_name_;
    std::vector<FileEntry> files_;
    std::vector<std::pair<std::string, std::string>> strings_;
    std::vector<std::pair<std::string, int32_t>> integers_;
    std::vector<std::pair<std::string, bool>> bools_;
    bool unsaved_ = false;
};

}
