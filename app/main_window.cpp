#include "app/main_window.h"

#include "app/about_window.h"
#include "app/web_pages.h"
#include "catalogue/builtin_catalogue.h"
#include "platform/backend/display_backend.h"
#include "platform/components/class_info.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/description_reader.h"
#include "platform/components/controls/tree_node.h"
#include "platform/gfx/resources.h"
#include "platform/window/window_system.h"

#include <stdexcept>
#include <string>

namespace pellamo {

namespace {

template <class T>
T* Find(TComponent& owner, const char* name)
{
    auto* component = dynamic_cast<T*>(owner.FindComponent(name));
    if (!component)
        throw std::runtime_error(std::string("The main window has no usable ") + name);
    return component;
}

std::string_view StoredDescription()
{
    auto bytes = Resources::Get("TFORM1");
    return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
}

std::optional<std::string> SelectedText(const TCustomTreeView* tree)
{
    if (const TTreeNode* node = tree->Selected())
        return node->Text();
    return std::nullopt;
}

void OpenPage(const char* url)
{
    // The shell's answer is of no interest: a missing browser is the desktop's business.
    TControl::Windows().Backend().OpenUrl(url);
}

}

// The caption panel as tuning writes it.
class TForm1::PanelCaption : public CaptionPanel {
public:
    explicit PanelCaption(TControl& panel) : panel_(panel) {}
    void SetCaption(const std::string& gbk) override { panel_.SetCaption(gbk); }

private:
    TControl& panel_;
};

TForm1::TForm1(TComponent* owner) : TForm1(owner, StoredDescription())
{
}

TForm1::TForm1(TComponent* owner, std::string_view description) : TForm(owner)
{
    RegisterHandlers();
    ReadDescription(description, *this);
    Bind();
    SetIcon(Resources::LoadBitmap("MAINICON"));
}

TForm1::~TForm1() = default;

const ClassInfo& TForm1::StaticClass()
{
    static const ClassInfo info("TForm1", &TForm::StaticClass(), {}, FactoryOf<TForm1>());
    return info;
}

void TForm1::RegisterHandlers()
{
    RegisterMethod("FormCreate", this, &TForm1::FormCreate);
    RegisterMethod("FormActivate", this, &TForm1::FormActivate);
    RegisterMethod("FormCloseQuery", this, &TForm1::FormCloseQuery);
    RegisterMethod("FormDestroy", this, &TForm1::FormDestroy);
    RegisterMethod("FormResize", this, &TForm1::FormResize);
    RegisterMethod("N2Click", this, &TForm1::N2Click);
    RegisterMethod("N3Click", this, &TForm1::N3Click);
    RegisterMethod("WindowsMediaPlayer91Click", this, &TForm1::WindowsMediaPlayer91Click);
    RegisterMethod("RealPlayer1051Click", this, &TForm1::RealPlayer1051Click);
    RegisterMethod("N10Click", this, &TForm1::N10Click);
    RegisterMethod("N13Click", this, &TForm1::N13Click);
    RegisterMethod("suitempTreeView1Change", this, &TForm1::suitempTreeView1Change);
    RegisterMethod("suitempTreeView2Change", this, &TForm1::suitempTreeView2Change);
}

void TForm1::Bind()
{
    suiPanel1 = Find<TControl>(*this, "suiPanel1");
    TreeView1 = Find<TCustomTreeView>(*this, "TreeView1");
    TreeView2 = Find<TCustomTreeView>(*this, "TreeView2");
    WindowsMediaPlayer1 = Find<TWindowsMediaPlayer>(*this, "WindowsMediaPlayer1");
    RealAudio1 = Find<TRealAudio>(*this, "RealAudio1");
    Edit1 = Find<TControl>(*this, "Edit1");
    Edit2 = Find<TControl>(*this, "Edit2");
    Memo1 = Find<TControl>(*this, "Memo1");
    NMHTTP1 = Find<TNMHTTPComponent>(*this, "NMHTTP1");

    caption_ = std::make_unique<PanelCaption>(*suiPanel1);
    media_ = std::make_unique<MediaPlayerAdapter>(*WindowsMediaPlayer1);
    real_ = std::make_unique<RealPlayerAdapter>(*RealAudio1);
    host_ = std::make_unique<PlayerHost>(*media_, *real_);
    pages_ = std::make_unique<PageFetch>(NMHTTP1->Client());
    tuning_ = std::make_unique<Tuning>(TelevisionTable(), RadioTable(), *pages_, *caption_, *host_);
    // Opening a category is the first step to a channel.
    for (TCustomTreeView* tree : { TreeView1, TreeView2 })
        tree->OnExpanded = [this](TObject*, TTreeNode*) { ChannelLikely(); };
}

void TForm1::ChannelLikely()
{
    // Both controls share the engine's library. (A selection made while the
    // description is read comes before the controls are bound.)
    if (WindowsMediaPlayer1)
        WindowsMediaPlayer1->View().WarmEngine();
}

void TForm1::FormCreate(TObject*)
{
    SetWidth(640);
    SetHeight(435);
    // Runs while the description is being finished, before the controls are bound.
    auto* real = Find<TControl>(*this, "RealAudio1");
    real->SetTop(65);
    real->SetLeft(3);
    auto* media = Find<TControl>(*this, "WindowsMediaPlayer1");
    media->SetTop(65);
    media->SetLeft(3);
}

// Activation, closing, destruction and resizing need nothing: closing is always allowed.
void TForm1::FormActivate(TObject*) {}
void TForm1::FormCloseQuery(TObject*, bool& can_close) { can_close = true; }
void TForm1::FormDestroy(TObject*) {}
void TForm1::FormResize(TObject*) {}

void TForm1::ShowTree(TCustomTreeView* shown, TCustomTreeView* hidden)
{
    // The selections stay as they are, so switching tunes nothing.
    hidden->SetVisible(false);
    shown->SetLeft(470);
    shown->SetTop(42);
    shown->SetVisible(true);
}

void TForm1::N2Click(TObject*)
{
    ChannelLikely();
    ShowTree(TreeView1, TreeView2);
}

void TForm1::N3Click(TObject*)
{
    ChannelLikely();
    ShowTree(TreeView2, TreeView1);
}

void TForm1::WindowsMediaPlayer91Click(TObject*) { OpenPage(kMediaPlayerDownloadPage); }
void TForm1::RealPlayer1051Click(TObject*) { OpenPage(kRealPlayerDownloadPage); }
void TForm1::N10Click(TObject*) { OpenPage(kHomePage); }

void TForm1::N13Click(TObject*)
{
    if (!about_)
        return;
    Point at = TForm2::CentredOn(BoundsRect(), { about_->Width(), about_->Height() });
    about_->SetLeft(at.x);
    about_->SetTop(at.y);
    about_->ShowModal();
}

template <class F>
void TForm1::Tune(F&& run)
{
    // The diagnostic controls show what tuning got to, also when a fetch failed.
    auto copy = [this] {
        Edit1->SetText(tuning_->Edit1());
        Edit2->SetText(tuning_->Edit2());
        Memo1->SetText(tuning_->Memo1());
    };
    try {
        run();
    } catch (...) {
        copy();
        throw;
    }
    copy();
}

void TForm1::suitempTreeView1Change(TObject*, TTreeNode*)
{
    ChannelLikely();
    Tune([this] { tuning_->TelevisionChanged(SelectedText(TreeView1)); });
}

void TForm1::suitempTreeView2Change(TObject*, TTreeNode*)
{
    ChannelLikely();
    Tune([this] { tuning_->RadioChanged(SelectedText(TreeView2)); });
}

std::string TForm1::Edit1Text() const { return Edit1->Text(); }
std::string TForm1::Edit2Text() const { return Edit2->Text(); }
std::string TForm1::Memo1Text() const { return Memo1->Text(); }

}
