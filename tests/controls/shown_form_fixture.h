#pragma once

#include "platform/components/controls/form.h"
#include "platform/text/gbk.h"
#include "tests/support/headless_app.h"

#include <string>

namespace pellamo::test {

// The headless application with one shown form (at 100, 100) to put
// controls on.
class ShownFormFixture : public HeadlessAppFixture {
protected:
    ShownFormFixture()
    {
        form = app.CreateForm<TForm>();
        form->SetBounds(100, 100, 400, 500);
        form->SetColor(Rgb(255, 255, 255));
        form->Show();
        host = form->Handle();
        Pump();
    }

    static std::string Gbk(const std::string& utf8) { return Utf8ToGbk(utf8); }

    TForm* form = nullptr;
    HWND host = nullptr;
};

}
