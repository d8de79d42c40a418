// The desktop entry, the AppStream data and the package agree: what the
// software centre promises to open, the entry hands to the program and the
// program opens; the icon, entry and programs they name are installed.
#include "app/open_target.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

namespace pellamo::test {
namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string SourceFile(const std::string& relative)
{
    return ReadFile(std::string(PELLAMO_SOURCE_ROOT) + "/" + relative);
}

// The value of `key` in the desktop entry's main group.
std::string EntryValue(const std::string& entry, const std::string& key)
{
    std::smatch m;
    if (std::regex_search(entry, m, std::regex("(^|\n)" + key + "=([^\n]*)")))
        return m[2];
    return "";
}

std::vector<std::string> Split(const std::string& list)
{
    std::vector<std::string> items;
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, ';');)
        if (!item.empty())
            items.push_back(item);
    return items;
}

// The texts of every <tag> element.
std::vector<std::string> Elements(const std::string& xml, const std::string& tag)
{
    std::vector<std::string> texts;
    std::regex element("<" + tag + "(\\s[^>]*)?>([^<]*)</" + tag + ">");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element); it != std::sregex_iterator(); ++it)
        texts.push_back((*it)[2]);
    return texts;
}

struct Installed {
    std::vector<std::string> paths;
    bool Has(const std::string& path) const { return std::find(paths.begin(), paths.end(), path) != paths.end(); }
};

Installed PackageContents()
{
    Installed installed;
    std::istringstream in(SourceFile("packaging/package-contents.txt"));
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            installed.paths.push_back(line);
    return installed;
}

const std::string kEntry = SourceFile("resources/pellamo.desktop");
const std::string kMetainfo = ReadFile(PELLAMO_METAINFO);

TEST(DesktopFiles, WhatTheEntryTakesReachesTheProgramAsFilesAndAddresses)
{
    // %U: any number of files and links; %F would drop links, %u keep one.
    EXPECT_EQ(EntryValue(kEntry, "Exec"), "pellamo %U");

    std::vector<std::string> types = Split(EntryValue(kEntry, "MimeType"));
    std::vector<std::string> promised = Elements(kMetainfo, "mediatype");
    ASSERT_FALSE(promised.empty());
    for (const std::string& type : promised)
        EXPECT_NE(std::find(types.begin(), types.end(), type), types.end()) << type << " is promised, not taken";

    // A playlist handed over as a file or a web link joins the channels.
    EXPECT_EQ(ClassifyOpenTarget("/home/viewer/tv.m3u8", false, "/").kind, OpenTarget::Kind::PlaylistFile);
    EXPECT_EQ(ClassifyOpenTarget("file:///home/viewer/tv.m3u", false, "/").kind, OpenTarget::Kind::PlaylistFile);
    EXPECT_EQ(ClassifyOpenTarget("https://tv.example.com/tv.m3u", false, "/").kind, OpenTarget::Kind::PlaylistAddress);
    // A link of a scheme the entry claims is played, never refused.
    int schemes = 0;
    for (const std::string& type : types) {
        if (type.rfind("x-scheme-handler/", 0) != 0)
            continue;
        ++schemes;
        std::string address = type.substr(17) + "://tv.example.com/live";
        OpenTarget target = ClassifyOpenTarget(address, false, "/");
        EXPECT_EQ(target.kind, OpenTarget::Kind::Stream) << address << ": " << target.error;
    }
    EXPECT_GT(schemes, 0);
}

TEST(DesktopFiles, TheEntryIconAndProgramsTheyNameAreInThePackage)
{
    Installed installed = PackageContents();
    std::vector<std::string> launchables = Elements(kMetainfo, "launchable");
    ASSERT_EQ(launchables.size(), 1u);
    EXPECT_TRUE(installed.Has("/usr/share/applications/" + launchables[0])) << launchables[0];

    std::string icon = EntryValue(kEntry, "Icon");
    EXPECT_TRUE(installed.Has("/usr/share/icons/hicolor/scalable/apps/" + icon + ".svg")) << icon;
    for (int size : { 16, 32, 48, 64, 128, 256 }) {
        std::string png = "/usr/share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/"
            + icon + ".png";
        EXPECT_TRUE(installed.Has(png)) << png;
    }

    std::vector<std::string> binaries = Elements(kMetainfo, "binary");
    EXPECT_EQ(binaries.size(), 3u);
    for (const std::string& binary : binaries) {
        EXPECT_TRUE(installed.Has("/usr/bin/" + binary)) << binary;
        EXPECT_TRUE(installed.Has("/usr/share/man/man1/" + binary + ".1.gz")) << binary;
    }
    std::string exec = EntryValue(kEntry, "Exec");
    EXPECT_TRUE(installed.Has("/usr/bin/" + exec.substr(0, exec.find(' ')))) << exec;
}

}
}
