#pragma once

// What a drop on one of our X windows carried, split into items.

#include <string>
#include <vector>

namespace pellamo {

enum class DropFormat {
    UriList, // text/uri-list: one URI a line, "#" lines are comments
    MozUrl, // text/x-moz-url: UTF-16, the address and then its title
    Text, // plain text: one item a line
};

// The non-empty lines of the data, trimmed (the address alone for MozUrl).
std::vector<std::string> DroppedItems(DropFormat format, const std::string& data);

}
