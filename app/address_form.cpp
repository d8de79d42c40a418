#include "app/address_form.h"

#include "app/about_window.h"
#include "app/window_description.h"
#include "platform/components/class_info.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/win_control.h"
#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/text/gbk.h"

#include <filesystem>

namespace pellamo {

namespace {

template <class T> T* Find(TComponent& owner, const char* name) { return FindPart<T>(owner, name, "The open dialog"); }

std::string WorkingDirectory()
{
    std::error_code ec;
    std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? std::string("/") : here.string();
}

// Texts of the two uses, in GBK like every text the windows hold.
struct ModeTexts {
    const char* caption;
    const char* prompt;
    const char* open;
};
ModeTexts TextsOf(TAddressForm::Mode mode)
{
    if (mode == TAddressForm::Mode::Playlist)
        return { "打开播放列表", "播放列表文件或网址（M3U、M3U8）：", "打开" };
    if (mode == TAddressForm::Mode::Guide)
        return { "节目指南", "节目指南文件或网址（XMLTV，可为 gzip）：", "添加" };
    return { "打开地址", "文件或网址：", "播放" };
}

}

TAddressForm::TAddressForm(TComponent* owner)
    : TAddressForm(owner, StoredDescription("TADDRESSFORM"))
{
}

TAddressForm::TAddressForm(TComponent* owner, std::string_view description)
    : TForm(owner)
{
    RegisterMethod("PlayButtonClick", this, &TAddressForm::PlayButtonClick);
    RegisterMethod("SaveButtonClick", this, &TAddressForm::SaveButtonClick);
    RegisterMethod("CancelButtonClick", this, &TAddressForm::CancelButtonClick);
    RegisterMethod("BrowseButtonClick", this, &TAddressForm::BrowseButtonClick);
    ReadDescription(description, *this);
    Bind();
}

const ClassInfo& TAddressForm::StaticClass()
{
    static const ClassInfo info("TAddressForm", &TForm::StaticClass(), {}, FactoryOf<TAddressForm>());
    return info;
}

void TAddressForm::Bind()
{
    suiForm1 = Find<TControl>(*this, "suiForm1");
    Label1 = Find<TControl>(*this, "Label1");
    Label2 = Find<TControl>(*this, "Label2");
    AddressEdit = Find<TWinControl>(*this, "AddressEdit");
    NameEdit = Find<TControl>(*this, "NameEdit");
    PlayButton = Find<TControl>(*this, "PlayButton");
    SaveButton = Find<TControl>(*this, "SaveButton");
    CancelButton = Find<TControl>(*this, "CancelButton");
    BrowseButton = Find<TControl>(*this, "BrowseButton");
}

TAddressForm::Choice TAddressForm::Ask(Mode mode, const Rect& over)
{
    mode_ = mode;
    choice_ = Choice::Cancel;
    ModeTexts texts = TextsOf(mode);
    // The skinned frame draws the caption and passes it on to the window.
    SetStrProp(*suiForm1, "Caption", Utf8ToGbk(texts.caption));
    Label1->SetCaption(Utf8ToGbk(texts.prompt));
    PlayButton->SetCaption(Utf8ToGbk(texts.open));
    // Saving under a name is for single addresses; a playlist is kept anyway.
    bool address = mode == Mode::Address;
    Label2->SetVisible(address);
    NameEdit->SetVisible(address);
    SaveButton->SetVisible(address);
    // A playlist file can also be picked from a chooser beside the field.
    bool browse = !address && OnBrowse;
    BrowseButton->SetVisible(browse);
    AddressEdit->SetWidth(
        (browse ? BrowseButton->Left() - 6 : BrowseButton->Left() + BrowseButton->Width()) - AddressEdit->Left());
    int buttons_top
        = address ? NameEdit->Top() + NameEdit->Height() + 13 : AddressEdit->Top() + AddressEdit->Height() + 13;
    for (TControl* button : { PlayButton, SaveButton, CancelButton })
        button->SetTop(buttons_top);
    SetClientHeight(buttons_top + PlayButton->Height() + 11);

    Point at = TForm2::CentredOn(over, { Width(), Height() });
    SetLeft(at.x);
    SetTop(at.y);
    SetActiveControl(AddressEdit);
    if (ShowModal() != mrOk)
        choice_ = Choice::Cancel;
    return choice_;
}

std::string TAddressForm::ChannelName() const { return GbkToUtf8(NameEdit->Text()); }

bool TAddressForm::Accept(Choice choice)
{
    target_ = ClassifyOpenTarget(GbkToUtf8(AddressEdit->Text()), mode_ != Mode::Address, WorkingDirectory());
    // A guide is read from a file or downloaded, never played.
    if (mode_ == Mode::Guide && target_.kind == OpenTarget::Kind::Stream)
        target_ = { OpenTarget::Kind::Invalid, {}, "A programme guide is a file or an http or https address." };
    if (target_.kind == OpenTarget::Kind::Invalid) {
        if (Application)
            Application->ShowException(Utf8ToGbk(target_.error));
        AddressEdit->SetFocus();
        return false;
    }
    choice_ = choice;
    SetModalResult(mrOk);
    return true;
}

void TAddressForm::PlayButtonClick(TObject*) { Accept(Choice::Open); }
void TAddressForm::SaveButtonClick(TObject*) { Accept(Choice::SaveAndPlay); }
void TAddressForm::CancelButtonClick(TObject*) { SetModalResult(mrCancel); }

void TAddressForm::BrowseButtonClick(TObject*)
{
    if (!OnBrowse)
        return;
    if (std::optional<std::string> file = OnBrowse()) {
        AddressEdit->SetText(Utf8ToGbk(*file));
        AddressEdit->SetFocus();
    }
}
}
