#pragma once

// A window's skinned components as their description dressed them, kept
// so that the designed look can come back, to the pixel, after the viewer
// wore another one: their styles, the values a style change overwrites
// (colours, widths, flags, fonts) and the frames' title-bar pictures and
// buttons.

#include "platform/components/component.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pellamo {

class TForm;
struct PropInfo;

class DesignedLook : public TComponent {
public:
    // Made, and the form's components recorded, on first use: call it
    // before the form first changes its look.
    static DesignedLook& Of(TForm& form);

    explicit DesignedLook(TComponent* owner);
    ~DesignedLook() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Every recorded component takes its designed style (without a file
    // theme) and then its recorded values again.
    void Restore();

private:
    struct Value {
        std::vector<std::string> owners; // names from the form down to the component
        std::string path; // "Color", "Font.Name"
        const PropInfo* prop = nullptr;
        std::int64_t ord = 0;
        double real = 0;
        std::string text;
    };
    struct Style {
        std::string component;
        std::int64_t style = 0;
    };
    struct TitleBars;

    void Record(TComponent& component, std::vector<std::string> owners);
    void RecordProps(TPersistent& object, const std::vector<std::string>& owners, const std::string& prefix);
    TComponent* Find(const std::vector<std::string>& owners) const;

    std::vector<Style> styles_;
    std::vector<Value> values_;
    std::vector<std::unique_ptr<TitleBars>> title_bars_;
};

}
