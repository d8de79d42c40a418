#pragma once

#include "app/nm_http_component.h"
#include "app/page_fetch.h"
#include "catalogue/caption_panel.h"
#include "catalogue/tuning.h"
#include "platform/components/controls/form.h"
#include "player/media_player_adapter.h"
#include "player/player_host.h"
#include "player/real_player_adapter.h"

#include <memory>
#include <string_view>

namespace pellamo {

class TCustomTreeView;
class TTreeNode;

// The main window: the caption panel with the two player controls, the
// television and radio trees, the menu and the hidden diagnostic controls,
// all read from its description. Controls are reached by name through the
// most general class that does the job, so a window description dressed in
// skinned controls of the same kinds works with this code unchanged.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    // Reads `description` (the compiled-in one by default).
    TForm1(TComponent* owner, std::string_view description);
    ~TForm1() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The about window "关于我们" shows; start-up creates it after this one.
    void SetAboutWindow(TForm* about) { about_ = about; }

    // Event handlers named in the description.
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& can_close);
    void FormDestroy(TObject* sender);
    void FormResize(TObject* sender);
    void N2Click(TObject* sender);
    void N3Click(TObject* sender);
    void WindowsMediaPlayer91Click(TObject* sender);
    void RealPlayer1051Click(TObject* sender);
    void N10Click(TObject* sender);
    void N13Click(TObject* sender);
    void suitempTreeView1Change(TObject* sender, TTreeNode* node);
    void suitempTreeView2Change(TObject* sender, TTreeNode* node);

    // The diagnostic controls' texts, as tuning left them.
    std::string Edit1Text() const;
    std::string Edit2Text() const;
    std::string Memo1Text() const;

private:
    class PanelCaption;

    void RegisterHandlers();
    void Bind();
    // The viewer is about to pick a channel: the player engine starts
    // loading in the background, so that the first channel does not wait
    // for all of it.
    void ChannelLikely();
    void ShowTree(TCustomTreeView* shown, TCustomTreeView* hidden);
    template <class F>
    void Tune(F&& run);

    TControl* suiPanel1 = nullptr;
    TCustomTreeView* TreeView1 = nullptr;
    TCustomTreeView* TreeView2 = nullptr;
    TWindowsMediaPlayer* WindowsMediaPlayer1 = nullptr;
    TRealAudio* RealAudio1 = nullptr;
    // Hidden; their text is all that matters.
    TControl* Edit1 = nullptr;
    TControl* Edit2 = nullptr;
    TControl* Memo1 = nullptr;
    TNMHTTPComponent* NMHTTP1 = nullptr;
    TForm* about_ = nullptr;

    std::unique_ptr<PanelCaption> caption_;
    std::unique_ptr<MediaPlayerAdapter> media_;
    std::unique_ptr<RealPlayerAdapter> real_;
    std::unique_ptr<PlayerHost> host_;
    std::unique_ptr<PageFetch> pages_;
    std::unique_ptr<Tuning> tuning_;
};

}
