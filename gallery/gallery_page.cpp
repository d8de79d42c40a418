#include "gallery/gallery_page.h"

#include <algorithm>

namespace pellamo {

namespace {

// Filled by the registrations of the page files while the program starts.
std::vector<GalleryPageInfo>& Registered()
{
    static std::vector<GalleryPageInfo> pages;
    return pages;
}

}

GalleryPageRegistration::GalleryPageRegistration(const char* name, int order, GalleryPageBuild build)
{
    Registered().push_back({ name, order, build });
}

std::vector<GalleryPageInfo> GalleryPages()
{
    std::vector<GalleryPageInfo> pages = Registered();
    std::stable_sort(pages.begin(), pages.end(), [](const GalleryPageInfo& a, const GalleryPageInfo& b) {
        return a.order != b.order ? a.order < b.order : a.name < b.name;
    });
    return pages;
}

}
