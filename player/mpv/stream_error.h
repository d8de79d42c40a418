#pragma once

#include <string>
#include <string_view>

namespace pellamo {

// What a viewer reads when a stream fails: a short sentence of ours saying
// what went wrong for which address, worked out from the engine's error
// code and the first complaint of its network or format layers (whose own
// words go to the log, not to the viewer).
std::string DescribeStreamError(std::string_view address, int engine_error, std::string_view complaint);

}
