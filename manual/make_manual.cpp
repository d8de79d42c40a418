// make-manual: what the build makes of a program's manual/<program>.txt.
//
//   make-manual page SOURCE OUT.1 FOOTER [NAME=VALUE]...
//       the manual page, each {NAME} filled with its VALUE
//   make-manual source SOURCE OUT.cpp FUNCTION
//       a C++ function returning the text of SOURCE, for --help
//
// A source that cannot be read as a manual stops the build with its line.

#include "manual/manual_page.h"
#include "manual/troff_page.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// The bytes of `text` as a C++ string literal.
std::string Literal(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\n') {
            out += "\\n\"\n    \"";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

int Usage()
{
    std::fputs("usage: make-manual page SOURCE OUT.1 FOOTER [NAME=VALUE]...\n"
               "       make-manual source SOURCE OUT.cpp FUNCTION\n",
        stderr);
    return 2;
}

}

int main(int argc, char** argv)
{
    if (argc < 5)
        return Usage();
    const std::string mode = argv[1], source = argv[2], output = argv[3];
    try {
        std::string text = ReadFile(source);
        pellamo::ManualPage page = pellamo::ParseManualPage(text);
        if (mode == "page") {
            pellamo::ManualValues values;
            for (int i = 5; i < argc; ++i) {
                std::string pair = argv[i];
                size_t eq = pair.find('=');
                if (eq == std::string::npos)
                    return Usage();
                values[pair.substr(0, eq)] = pair.substr(eq + 1);
            }
            WriteFile(output, pellamo::TroffPage(page, values, "manual/" + BaseName(source), argv[4]));
        } else if (mode == "source" && argc == 5) {
            WriteFile(output,
                "// Made by the build from manual/" + BaseName(source) + ".\n#include \"manual/program_manuals.h\"\n\n"
                    + "namespace pellamo {\n\nstd::string_view " + argv[4] + "()\n{\n    return " + Literal(text)
                    + ";\n}\n\n}\n");
        } else {
            return Usage();
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", source.c_str(), e.what());
        return 1;
    }
}
