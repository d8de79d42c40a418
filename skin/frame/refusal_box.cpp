#include "skin/frame/refusal_box.h"

#include "platform/components/controls/application.h"

namespace pellamo {

void ShowRefusal(const std::string& text)
{
    if (Application)
        Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONERROR);
}

}
