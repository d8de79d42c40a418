#include "app/guide_window.h"

#include "app/about_window.h"
#include "app/window_description.h"
#include "platform/components/class_info.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/text/gbk.h"

#include <cstdio>
#include <ctime>

namespace pellamo {

namespace {

template <class T> T* Find(TComponent& owner, const char* name) { return FindPart<T>(owner, name, "The guide window"); }

std::tm Local(int64_t when)
{
    std::time_t t = static_cast<std::time_t>(when);
    std::tm local {};
    localtime_r(&t, &local);
    return local;
}

std::string ClockText(int64_t when)
{
    std::tm local = Local(when);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", local.tm_hour % 100, local.tm_min % 100);
    return text;
}

// Local midnight `days` after the day of `now`; mktime settles clock changes.
int64_t Midnight(int64_t now, int days)
{
    std::tm local = Local(now);
    local.tm_mday += days;
    local.tm_hour = local.tm_min = local.tm_sec = 0;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
}

}

TGuideForm::TGuideForm(TComponent* owner)
    : TGuideForm(owner, StoredDescription("TGUIDEFORM"))
{
}

TGuideForm::TGuideForm(TComponent* owner, std::string_view description)
    : TForm(owner)
{
    RegisterMethod("ProgrammeListChange", this, &TGuideForm::ProgrammeListChange);
    RegisterMethod("ProgrammeListKeyDown", this, &TGuideForm::ProgrammeListKeyDown);
    RegisterMethod("PrevButtonClick", this, &TGuideForm::PrevButtonClick);
    RegisterMethod("NextButtonClick", this, &TGuideForm::NextButtonClick);
    RegisterMethod("CloseButtonClick", this, &TGuideForm::CloseButtonClick);
    ReadDescription(description, *this);
    Bind();
}

const ClassInfo& TGuideForm::StaticClass()
{
    static const ClassInfo info("TGuideForm", &TForm::StaticClass(), {}, FactoryOf<TGuideForm>());
    return info;
}

void TGuideForm::Bind()
{
    suiForm1 = Find<TControl>(*this, "suiForm1");
    DayLabel = Find<TControl>(*this, "DayLabel");
    ProgrammeList = Find<TCustomTreeView>(*this, "ProgrammeList");
    DescriptionLabel = Find<TControl>(*this, "DescriptionLabel");
}

bool TGuideForm::Ask(GuideView& view, int64_t channel, const std::string& name, int64_t now, const Rect& over)
{
    view_ = &view;
    channel_ = channel;
    now_ = now;
    play_ = false;
    SetStrProp(*suiForm1, "Caption", Utf8ToGbk("节目指南 — " + name));
    ShowDay(0);
    Point at = TForm2::CentredOn(over, { Width(), Height() });
    SetLeft(at.x);
    SetTop(at.y);
    SetActiveControl(ProgrammeList);
    ShowModal();
    return play_;
}

void TGuideForm::ShowDay(int days)
{
    day_ = days;
    const int64_t from = Midnight(now_, days);
    const int64_t to = Midnight(now_, days + 1);
    entries_ = view_ ? view_->Between(channel_, from, to) : std::vector<GuideEntry> {};
    DayLabel->SetCaption(Utf8ToGbk(DayText()));

    TTreeNodes& items = ProgrammeList->Items();
    items.BeginUpdate();
    items.Clear();
    TTreeNode* running = nullptr;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const GuideEntry& e = entries_[i];
        std::string text = ClockText(e.start) + "–" + ClockText(e.stop) + "  " + e.title;
        if (e.start <= now_ && now_ < e.stop)
            text += "  （正在播出）";
        TTreeNode* node = items.AddChild(nullptr, Utf8ToGbk(text));
        node->Data = static_cast<intptr_t>(i + 1);
        if (e.start <= now_ && now_ < e.stop)
            running = node;
    }
    items.EndUpdate();
    TTreeNode* first = running ? running : items.GetFirstNode();
    ProgrammeList->SetSelected(first);
    if (!first)
        DescriptionLabel->SetCaption(Utf8ToGbk("这一天没有节目信息。"));
}

int TGuideForm::SelectedIndex() const
{
    const TTreeNode* node = ProgrammeList->Selected();
    return node && node->Data > 0 ? static_cast<int>(node->Data - 1) : -1;
}

std::string TGuideForm::DayText() const
{
    std::tm local = Local(Midnight(now_, day_) + 12 * 3600);
    static const char* const kWeekdays[] = { "日", "一", "二", "三", "四", "五", "六" };
    std::string text = std::to_string(local.tm_mon + 1) + "月" + std::to_string(local.tm_mday) + "日 星期"
        + kWeekdays[local.tm_wday % 7];
    if (day_ == 0)
        text += "（今天）";
    else if (day_ == 1)
        text += "（明天）";
    else if (day_ == -1)
        text += "（昨天）";
    return text + "    ← → 换一天";
}

std::string TGuideForm::DescriptionText() const { return GbkToUtf8(DescriptionLabel->Caption()); }

void TGuideForm::ProgrammeListChange(TObject*, TTreeNode*)
{
    int index = SelectedIndex();
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return;
    const GuideEntry& e = entries_[static_cast<size_t>(index)];
    std::string text = e.title;
    if (!e.subtitle.empty())
        text += " · " + e.subtitle;
    text += "  " + ClockText(e.start) + "–" + ClockText(e.stop);
    if (!e.description.empty())
        text += "\n" + e.description;
    DescriptionLabel->SetCaption(Utf8ToGbk(text));
}

void TGuideForm::ProgrammeListKeyDown(TObject*, UINT& key, TShiftState)
{
    if (key == VK_LEFT || key == VK_PRIOR) {
        key = 0;
        ShowDay(day_ - 1);
    } else if (key == VK_RIGHT || key == VK_NEXT) {
        key = 0;
        ShowDay(day_ + 1);
    } else if (key == VK_RETURN) {
        int index = SelectedIndex();
        if (index >= 0) {
            const GuideEntry& e = entries_[static_cast<size_t>(index)];
            if (e.start <= now_ && now_ < e.stop) {
                key = 0;
                play_ = true;
                SetModalResult(mrOk);
            }
        }
    }
}

void TGuideForm::PrevButtonClick(TObject*) { ShowDay(day_ - 1); }
void TGuideForm::NextButtonClick(TObject*) { ShowDay(day_ + 1); }
void TGuideForm::CloseButtonClick(TObject*) { SetModalResult(mrCancel); }

}
