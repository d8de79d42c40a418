#pragma once

// Our own open-file dialog, in the skin of the windows around it: a path
// field (type a folder or a file and press Enter; "~" is the home folder),
// a button to the folder above, the folder's list (TFileList) filtered as
// asked, and Open and Cancel. Everything works by keyboard alone: Tab moves
// between the field, the list and the buttons, Enter opens, Backspace in
// the list goes up, Esc cancels.

#include "chooser/file_filter.h"
#include "platform/components/controls/form.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pellamo {

class TCustomLabel;
class TFileList;
class TsuiButton;
class TsuiEdit;
class TsuiForm;

struct OpenFileRequest {
    std::string title; // UTF-8
    std::vector<FileFilter> filters; // the first is used; none takes every file
    std::filesystem::path folder; // where to start; the home folder when missing
};

class TOpenFileDialog : public TForm {
public:
    explicit TOpenFileDialog(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Prepares the dialog for `request` without showing it.
    void Prepare(const OpenFileRequest& request);
    // Shows it modally, centred on `over`: the file chosen, or nothing.
    std::optional<std::filesystem::path> Ask(const OpenFileRequest& request, const Rect& over);

    void ShowFolder(const std::filesystem::path& folder);
    const std::filesystem::path& Folder() const { return folder_; }
    // What Enter in the path field does with its text.
    void OpenTyped();
    // The Open button: what was typed when it names another place, else
    // the selected row.
    void OpenClick();
    const std::optional<std::filesystem::path>& Chosen() const { return chosen_; }
    // The message line: the filter, or why a folder or path could not be used.
    std::string Message() const; // UTF-8

    TsuiForm& Frame() const { return *frame_; }
    TsuiEdit& PathField() const { return *path_; }
    TFileList& List() const { return *list_; }
    TsuiButton& UpButton() const { return *up_; }
    TsuiButton& OpenButton() const { return *open_; }
    TsuiButton& CancelButton() const { return *cancel_; }

private:
    void Build();
    void Open(const std::filesystem::path& path);
    void Choose(const std::filesystem::path& file);
    void SetMessage(const std::string& utf8);
    std::string FilterText() const;

    TsuiForm* frame_ = nullptr;
    TsuiEdit* path_ = nullptr;
    TsuiButton* up_ = nullptr;
    TFileList* list_ = nullptr;
    TCustomLabel* message_ = nullptr;
    TsuiButton* open_ = nullptr;
    TsuiButton* cancel_ = nullptr;

    FileFilter filter_;
    std::filesystem::path folder_;
    std::optional<std::filesystem::path> chosen_;
};

}
