#pragma once

#include <filesystem>
#include <string>

namespace pellamo {

// Makes the player tests' media in `dir` with ffmpeg: "av.ts" (320x240
// test picture with a tone) and "audio.ts" (the tone alone), each `seconds`
// long, as MPEG transport streams. Returns false when ffmpeg fails.
bool MakeTestMedia(const std::filesystem::path& dir, int seconds);

// "<colour>.ts" in `dir`: a picture of one colour (an ffmpeg colour name such
// as "red") with a tone, to tell two streams apart by any of their pixels.
bool MakeColourMedia(const std::filesystem::path& dir, const std::string& colour, int seconds);

}
