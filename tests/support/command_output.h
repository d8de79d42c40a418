#pragma once

// What a shell command writes on its standard output, read to its end
// ("" when it cannot be started).

#include <cstdio>
#include <string>

namespace pellamo::test {

inline std::string CommandOutput(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    return text;
}

}
