#include "tests/player_mpv/test_media.h"

#include <cstdlib>
#include <string>

namespace pellamo {

bool MakeTestMedia(const std::filesystem::path& dir, int seconds)
{
    std::string common = "ffmpeg -nostdin -hide_banner -loglevel error -y ";
    std::string duration = " -t " + std::to_string(seconds);
    std::string video = common
        + "-f lavfi -i testsrc=size=320x240:rate=25"
          " -f lavfi -i sine=frequency=440:sample_rate=44100"
        + duration + " -c:v mpeg4 -q:v 6 -c:a mp2 -f mpegts " + (dir / "av.ts").string();
    std::string audio = common + "-f lavfi -i sine=frequency=440:sample_rate=44100" + duration + " -c:a mp2 -f mpegts "
        + (dir / "audio.ts").string();
    return std::system(video.c_str()) == 0 && std::system(audio.c_str()) == 0;
}

bool MakeColourMedia(const std::filesystem::path& dir, const std::string& colour, int seconds)
{
    std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i color=c=" + colour
        + ":size=320x240:rate=25 -f lavfi -i sine=frequency=440:sample_rate=44100 -t " + std::to_string(seconds)
        + " -c:v mpeg4 -q:v 6 -c:a mp2 -f mpegts " + (dir / (colour + ".ts")).string();
    return std::system(command.c_str()) == 0;
}

}
