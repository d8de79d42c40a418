#pragma once

// Small component classes for the framework's tests and fuzz target: one of
// every property kind, a container that records its nested children, and a
// root form with registered handlers.

#include "platform/components/collection.h"
#include "platform/components/colors.h"
#include "platform/components/component.h"
#include "platform/components/enum_set.h"
#include "platform/components/event.h"
#include "platform/components/prop_info.h"
#include "platform/components/string_list.h"

#include <string>
#include <vector>

namespace pellamo::sample {

enum class Align { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class AnchorKind { akLeft, akTop, akRight, akBottom };
enum class FontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using Anchors = EnumSet<AnchorKind>;
using FontStyles = EnumSet<FontStyle>;

class Control;

class Font : public TPersistent {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    void Assign(const TPersistent& source) override;

    std::string name = "MS Sans Serif";
    int height = -11;
    TColor color = clWindowText;
    FontStyles style;
};

class PanelItem : public TCollectionItem {
public:
    explicit PanelItem(TCollection* c)
        : TCollectionItem(c)
    {
    }
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    void Assign(const TPersistent& source) override;

    int width = 50;
    std::string text;
    Control* link = nullptr;
};

class Control : public TComponent {
public:
    explicit Control(TComponent* owner);
    ~Control() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    Control* Buddy() const { return buddy_; }
    void SetBuddy(Control* c) { buddy_ = c; }

    void InsertNestedChild(TComponent& child) override;
    TComponent* GetParentComponent() const override { return parent_; }

    int top = 0;
    short width = 100;
    double scale = 1.0;
    bool visible = true;
    Align align = Align::alNone;
    TColor color = clBtnFace;
    std::string caption;
    Anchors anchors { AnchorKind::akLeft, AnchorKind::akTop };
    Font font;
    TStringList lines;
    TCollection panels;
    Bytes data;
    TNotifyEvent OnClick;
    TEvent<TObject*, int> OnMove;

    Control* parent_ = nullptr;
    std::vector<TComponent*> children;
    std::vector<std::string> log; // "insert X", "remove X", "loaded", "loaded while loading"

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    int left_ = 0;
    Control* buddy_ = nullptr;
};

// A control class that only sets its properties when told, so a test can
// see which component a description created.
class Button : public Control {
public:
    using Control::Control;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    bool is_default = false;
};

// Registered but without a factory.
class Abstract : public TComponent {
public:
    using TComponent::TComponent;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

class Form : public TComponent {
public:
    explicit Form(TComponent* owner = nullptr);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void FormCreate(TObject* sender);
    void ButtonClick(TObject* sender);
    void ControlMove(TObject* sender, int distance);

    std::string caption;
    Control* active = nullptr;
    TNotifyEvent OnCreate;
    std::vector<std::string> calls;
    std::vector<TComponent*> children;

    void InsertNestedChild(TComponent& child) override { children.push_back(&child); }
};

// Registers the classes above (idempotent).
void RegisterSampleClasses();

}
