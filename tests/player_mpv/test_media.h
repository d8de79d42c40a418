#pragma once

#include <filesystem>

namespace pellamo {

// Makes the player tests' media in `dir` with ffmpeg: "av.ts" (320x240
// test picture with a tone) and "audio.ts" (the tone alone), each `seconds`
// long, as MPEG transport streams. Returns false when ffmpeg fails.
bool MakeTestMedia(const std::filesystem::path& dir, int seconds);

}
