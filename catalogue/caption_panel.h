#pragma once

#include <string>

namespace pellamo {

// The panel whose caption shows the current selection.
class CaptionPanel {
public:
    virtual ~CaptionPanel() = default;
    virtual void SetCaption(const std::string& gbkText) = 0;
};

}
