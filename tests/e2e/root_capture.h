#pragma once

// A screenshot of an X server's root window, for comparing what X shows
// with what we painted.

#include "platform/gfx/bitmap.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace pellamo {

// The root window through `xwd | convert`, as a plain PPM.
inline Bitmap CaptureRoot(const std::string& display)
{
    std::string command = "xwd -root -silent -display " + display + " | convert xwd:- -depth 8 ppm:-";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string data;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        data.append(buffer, n);
    pclose(pipe);
    // Header: "P6", width, height, maximum, each separated by white space or
    // "#" comments, then one white-space byte and the samples.
    size_t pos = 0;
    auto token = [&]() -> std::string {
        while (pos < data.size()) {
            if (data[pos] == '#') {
                while (pos < data.size() && data[pos] != '\n')
                    ++pos;
            } else if (std::isspace(static_cast<unsigned char>(data[pos]))) {
                ++pos;
            } else {
                break;
            }
        }
        size_t start = pos;
        while (pos < data.size() && !std::isspace(static_cast<unsigned char>(data[pos])))
            ++pos;
        return data.substr(start, pos - start);
    };
    if (token() != "P6")
        return {};
    int width = std::atoi(token().c_str());
    int height = std::atoi(token().c_str());
    int max = std::atoi(token().c_str());
    size_t offset = pos + 1;
    if (width <= 0 || height <= 0 || max != 255 || data.size() < offset + static_cast<size_t>(width) * height * 3)
        return {};
    Bitmap image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(data.data()) + offset
                + (static_cast<size_t>(y) * width + x) * 3;
            image.SetPixel(x, y, Rgb(p[0], p[1], p[2]));
        }
    return image;
}

}
