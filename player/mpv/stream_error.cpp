#include "player/mpv/stream_error.h"

#include "stream/stream_address.h"

#include <mpv/client.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace pellamo {

namespace {

struct Reason {
    std::string_view marker; // in the complaint, lower case
    std::string_view sentence;
};

// The first marker found names the cause; the order puts the more telling
// ones first (a refused connection also ends in "failed to open").
constexpr std::array kReasons {
    Reason { "connection refused", "the server refused the connection." },
    Reason { "timed out", "the server did not answer in time." },
    Reason { "timeout", "the server did not answer in time." },
    Reason { "resolve", "the server's name cannot be found." },
    Reason { "name or service not known", "the server's name cannot be found." },
    Reason { "name resolution", "the server's name cannot be found." },
    Reason { "network is unreachable", "the server cannot be reached." },
    Reason { "no route to host", "the server cannot be reached." },
    Reason { "connection reset", "the server broke off the connection." },
    Reason { "error 404", "the server has no stream at this address." },
    Reason { "not found", "the server has no stream at this address." },
    Reason { "error 403", "the server does not allow this stream to be played." },
    Reason { "forbidden", "the server does not allow this stream to be played." },
    Reason { "error 401", "the server does not allow this stream to be played." },
    Reason { "http error", "the server answered with an error." },
    Reason { "ends prematurely", "the server sent no stream." },
    Reason { "end of file", "the server sent no stream." },
    Reason { "protocol not found", "the player cannot open addresses of this kind." },
    // A playlist from the web pointing at files of this computer.
    Reason { "unsafe", "the stream leads to a file on this computer, which is not played." },
};

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(
        lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

}

std::string DescribeStreamError(std::string_view address, int engine_error, std::string_view complaint)
{
    std::string shown = StreamAddress::Shown(address);
    std::string lower = Lower(complaint);
    for (const Reason& reason : kReasons)
        if (lower.find(reason.marker) != std::string::npos)
            return "Cannot play " + shown + ": " + std::string(reason.sentence);
    switch (engine_error) {
    case MPV_ERROR_UNKNOWN_FORMAT:
        return "Cannot play " + shown + ": this is not a stream the player knows.";
    case MPV_ERROR_NOTHING_TO_PLAY:
        return "Cannot play " + shown + ": the stream holds no picture or sound.";
    case MPV_ERROR_UNSUPPORTED:
        return "Cannot play " + shown + ": the player does not support this stream.";
    default:
        return "Cannot play " + shown + ": the stream cannot be opened.";
    }
}

}
