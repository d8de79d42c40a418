#pragma once

// Choosing a file to open: the desktop's own chooser through the XDG
// desktop portal when one runs, otherwise our own skinned dialog. While
// either is open the owner's window waits, live but disabled.

#include "chooser/open_file_dialog.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace pellamo {

class TForm;

struct FileChooserOptions {
    // Dresses our own dialog in the look of the windows around it.
    std::function<void(TForm&)> dress;
    // False: never the portal (the viewer or a test asked for our dialog).
    bool try_portal = true;
};

// The file chosen, or nothing when the viewer cancelled.
std::optional<std::filesystem::path> ChooseFileToOpen(
    TForm& owner, const OpenFileRequest& request, const FileChooserOptions& options = {});

// Whether the portal failed once in this run: then it is not asked again,
// so that a missing portal costs its wait only once.
bool PortalGivenUp();
void ResetPortalGivenUp();

}
