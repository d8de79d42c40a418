#include "chooser/file_chooser.h"

#include "chooser/portal_file_chooser.h"
#include "platform/components/controls/form.h"
#include "platform/window/window_system.h"

namespace pellamo {

namespace {

constexpr const char* kDialogName = "OpenFileDialog";

bool g_portal_given_up = false;

}

bool PortalGivenUp() { return g_portal_given_up; }
void ResetPortalGivenUp() { g_portal_given_up = false; }

std::optional<std::filesystem::path> ChooseFileToOpen(
    TForm& owner, const OpenFileRequest& request, const FileChooserOptions& options)
{
    WindowSystem& ws = TControl::Windows();
    if (options.try_portal && !g_portal_given_up) {
        PortalRequest asked { request.title, request.filters, "" };
        HWND window = owner.HandleAllocated() ? owner.HandleOrNull() : nullptr;
        // Modal: the owner takes no input while the desktop's dialog is up.
        bool was_enabled = window && ws.IsWindowEnabled(window);
        if (was_enabled)
            ws.EnableWindow(window, false);
        PortalAnswer answer = AskPortalForFile(ws.Loop(), asked);
        if (was_enabled)
            ws.EnableWindow(window, true);
        switch (answer.kind) {
        case PortalAnswer::Kind::Chosen:
            return std::filesystem::path(answer.path);
        case PortalAnswer::Kind::Cancelled:
            return std::nullopt;
        case PortalAnswer::Kind::Unavailable:
            g_portal_given_up = true;
            break;
        }
    }
    auto* dialog = dynamic_cast<TOpenFileDialog*>(owner.FindComponent(kDialogName));
    if (!dialog) {
        dialog = new TOpenFileDialog(&owner);
        dialog->SetName(kDialogName);
    }
    if (options.dress)
        options.dress(*dialog);
    return dialog->Ask(request, owner.BoundsRect());
}

}
