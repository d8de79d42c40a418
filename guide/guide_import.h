#pragma once

#include "guide/guide_store.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

namespace pellamo {

struct GuideImportOptions {
    int64_t now = 0; // seconds since 1970 UTC; programmes long over are left out
    // Told the share of the file read so far, 0..1, often: keep it cheap.
    std::function<void(double)> progress;
    // Asked often; true ends the import with nothing changed.
    std::function<bool()> cancelled;
};

// Reads a guide file (XMLTV, plain or gzip) into the store as everything
// `source` gives, in one transaction: the file is read in pieces, never
// whole. Throws GuideError with a sentence for the status bar; the store
// is then as it was. A damaged database is set aside and the import run
// once more on a new one (the store's Note() says so).
GuideSourceCounts ImportGuideFile(
    GuideStore& store, std::string_view source, const std::filesystem::path& file, const GuideImportOptions& options);

}
