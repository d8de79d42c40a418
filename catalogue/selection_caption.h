#pragma once

#include <string>

namespace pellamo {

// Where tuning shows the current selection's name (the main window's
// caption panel); an interface so tuning needs no window.
class SelectionCaption {
public:
    virtual ~SelectionCaption() = default;
    virtual void SetCaption(const std::string& gbk_text) = 0;
};

}
