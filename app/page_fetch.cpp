#include "app/page_fetch.h"

namespace pellamo {

std::string PageFetch::Get(const std::string& url)
{
    http_.Get(url);
    return http_.Body();
}

void PageFetch::Cancel() { http_.Abort(); }

}
