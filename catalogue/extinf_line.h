#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace pellamo {

// The parts of an "#EXTINF:<duration> key="value" key=value ...,<title>"
// line after its colon. Attributes may come in any order, quoted (double or
// single quotes) or not; a comma inside quotes belongs to the value; a word
// without "=" is passed over. A line that stops early just gives less.
struct ExtInfLine {
    std::vector<std::pair<std::string_view, std::string_view>> attributes; // key, value, as written
    std::optional<std::string_view> title; // what follows the first comma outside quotes
};

ExtInfLine SplitExtInf(std::string_view rest);

}
