#include "chooser/open_file_dialog.h"

#include "chooser/file_list.h"
#include "platform/components/class_info.h"
#include "platform/components/controls/label.h"
#include "platform/text/gbk.h"
#include "skin/buttons/push_button.h"
#include "skin/edits/bordered_edit.h"
#include "skin/frame/skin_form.h"
#include "skin/frame/title_bar_button.h"

#include <cstdlib>
#include <system_error>

namespace pellamo {

namespace fs = std::filesystem;

namespace {

// The designed client area and places, below a MacOS title bar of 20 rows.
constexpr int kClientWidth = 560;
constexpr int kClientHeight = 392;
constexpr int kTop = 20;

fs::path HomeFolder()
{
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) : fs::path("/");
}

bool IsFolder(const fs::path& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

}

TOpenFileDialog::TOpenFileDialog(TComponent* owner)
    : TForm(owner)
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBorderIcons(TBorderIcons { TBorderIcon::biSystemMenu });
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    Build();
}

const ClassInfo& TOpenFileDialog::StaticClass()
{
    static const ClassInfo info("TOpenFileDialog", &TForm::StaticClass());
    return info;
}

void TOpenFileDialog::Build()
{
    frame_ = new TsuiForm(this);
    frame_->SetName("suiForm1");
    frame_->SetAlign(TAlign::alClient);
    frame_->SetUIStyle(TsuiUIStyle::MacOS);
    // A dialog has its window menu and close button, nothing to size it.
    TsuiTitleBarButtons& buttons = frame_->TitleBar().Buttons();
    for (int i = buttons.Count() - 1; i >= 0; --i) {
        TsuiTitleBarBtnType type = buttons.Items(i)->ButtonType();
        if (type != TsuiTitleBarBtnType::suiClose && type != TsuiTitleBarBtnType::suiControlBox)
            buttons.Delete(i);
    }

    // "位置："
    auto* where = new TLabel(this);
    where->SetParent(frame_);
    where->SetTransparent(true);
    where->SetCaption(Utf8ToGbk("位置："));
    where->SetBounds(10, kTop + 14, 40, 16);

    path_ = new TsuiEdit(this);
    path_->SetName("PathEdit");
    path_->SetParent(frame_);
    path_->SetUIStyle(TsuiUIStyle::MacOS);
    path_->SetBounds(50, kTop + 10, 404, 22);
    path_->OnKeyDown = [this](TObject*, UINT& key, TShiftState) {
        if (key == VK_RETURN) {
            key = 0;
            OpenTyped();
        } else if (key == VK_DOWN) {
            key = 0;
            list_->SetFocus();
        }
    };

    up_ = new TsuiButton(this);
    up_->SetName("UpButton");
    up_->SetParent(frame_);
    up_->SetUIStyle(TsuiUIStyle::MacOS);
    up_->SetCaption(Utf8ToGbk("上一级(&U)"));
    up_->SetBounds(462, kTop + 9, 88, 24);
    up_->OnClick = [this](TObject*) { ShowFolder(folder_.parent_path()); };

    list_ = new TFileList(this);
    list_->SetName("FileList");
    list_->SetParent(frame_);
    list_->SetBounds(10, kTop + 42, 540, 270);
    list_->OnOpen = [this](const FolderEntry& entry) { Open(folder_ / entry.name); };
    list_->OnUp = [this] { ShowFolder(folder_.parent_path()); };

    message_ = new TLabel(this);
    message_->SetParent(frame_);
    message_->SetTransparent(true);
    message_->SetBounds(10, kTop + 322, 540, 16);

    open_ = new TsuiButton(this);
    open_->SetName("OpenButton");
    open_->SetParent(frame_);
    open_->SetUIStyle(TsuiUIStyle::MacOS);
    open_->SetCaption(Utf8ToGbk("打开(&O)"));
    open_->SetDefault(true);
    open_->SetBounds(374, kTop + 344, 84, 26);
    open_->OnClick = [this](TObject*) { OpenClick(); };

    cancel_ = new TsuiButton(this);
    cancel_->SetName("CancelButton");
    cancel_->SetParent(frame_);
    cancel_->SetUIStyle(TsuiUIStyle::MacOS);
    cancel_->SetCaption(Utf8ToGbk("取消"));
    cancel_->SetCancel(true);
    cancel_->SetBounds(466, kTop + 344, 84, 26);
    cancel_->SetModalResult(mrCancel);
}

void TOpenFileDialog::Prepare(const OpenFileRequest& request)
{
    chosen_.reset();
    frame_->SetFrameCaption(Utf8ToGbk(request.title));
    filter_ = request.filters.empty() ? FileFilter {} : request.filters.front();
    fs::path start = request.folder.empty() || !IsFolder(request.folder) ? HomeFolder() : request.folder;
    std::error_code ec;
    fs::path absolute = fs::absolute(start, ec);
    ShowFolder(ec ? start : absolute.lexically_normal());
}

std::optional<fs::path> TOpenFileDialog::Ask(const OpenFileRequest& request, const Rect& over)
{
    Prepare(request);
    SetLeft(over.left + (over.Width() - Width()) / 2);
    SetTop(over.top + (over.Height() - Height()) / 2);
    SetActiveControl(list_);
    if (ShowModal() != mrOk)
        return std::nullopt;
    return chosen_;
}

std::string TOpenFileDialog::FilterText() const
{
    // "文件类型：播放列表 (*.m3u;*.m3u8)"
    std::string text = "文件类型：";
    if (!filter_.name.empty())
        text += filter_.name + " ";
    return text + "(" + filter_.PatternText() + ")";
}

void TOpenFileDialog::ShowFolder(const fs::path& folder)
{
    fs::path shown = folder.empty() ? fs::path("/") : folder;
    FolderListing listing = ListFolder(shown, filter_);
    if (!listing.error.empty() && listing.entries.empty() && !folder_.empty()) {
        // A folder that cannot be read leaves the one shown as it is.
        SetMessage("不能打开 " + shown.string() + "：" + listing.error);
        return;
    }
    folder_ = shown;
    path_->SetText(Utf8ToGbk(folder_.string()));
    list_->SetEntries(std::move(listing.entries));
    SetMessage(listing.error.empty() ? FilterText() : "不能完整读取这个文件夹：" + listing.error);
}

void TOpenFileDialog::Open(const fs::path& path)
{
    if (IsFolder(path)) {
        ShowFolder(path.lexically_normal());
        return;
    }
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        SetMessage("找不到 " + path.string());
        return;
    }
    Choose(path);
}

void TOpenFileDialog::Choose(const fs::path& file)
{
    chosen_ = file.lexically_normal();
    SetModalResult(mrOk);
}

void TOpenFileDialog::OpenTyped()
{
    std::string typed = GbkToUtf8(path_->Text());
    while (!typed.empty() && (typed.back() == ' ' || typed.back() == '\t'))
        typed.pop_back();
    if (typed.empty())
        return;
    fs::path path;
    if (typed == "~" || typed.rfind("~/", 0) == 0)
        path = HomeFolder() / typed.substr(std::min<size_t>(typed.size(), 2));
    else if (fs::path(typed).is_absolute())
        path = typed;
    else
        path = folder_ / typed;
    Open(path);
}

void TOpenFileDialog::OpenClick()
{
    if (GbkToUtf8(path_->Text()) != folder_.string()) {
        OpenTyped();
        return;
    }
    if (const FolderEntry* entry = list_->Selected())
        Open(folder_ / entry->name);
}

void TOpenFileDialog::SetMessage(const std::string& utf8) { message_->SetCaption(Utf8ToGbk(utf8)); }

std::string TOpenFileDialog::Message() const { return GbkToUtf8(message_->Caption()); }

}
