#include "platform/text/number_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace pellamo;

namespace {

// Compiles the locales the tests read into a folder of the build tree once
// (then reuses them) and points the C library at it (LOCPATH), so the tests
// need no locale installed on the machine.
class NumberLocaleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        namespace fs = std::filesystem;
        const char* build = std::getenv("PELLAMO_BINARY_DIR");
        fs::path folder = fs::path(build ? build : fs::temp_directory_path().string()) / "test-locales";
        fs::create_directories(folder);
        for (const char* name : { "de_DE", "fr_FR" }) {
            fs::path target = folder / (std::string(name) + ".UTF-8");
            if (fs::exists(target / "LC_NUMERIC"))
                continue;
            // Built aside and renamed into place, so test programs running
            // side by side never see half a locale.
            fs::path scratch = folder / (target.filename().string() + "." + std::to_string(getpid()));
            std::string command
                = std::string("localedef -i ") + name + " -f UTF-8 '" + scratch.string() + "' >/dev/null 2>&1";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            std::error_code ignored;
            fs::rename(scratch, target, ignored);
            fs::remove_all(scratch, ignored);
        }
        setenv("LOCPATH", folder.c_str(), 1);
    }
    static void TearDownTestSuite() { unsetenv("LOCPATH"); }
    void TearDown() override
    {
        unsetenv("LC_ALL");
        unsetenv("LC_NUMERIC");
        unsetenv("LANG");
    }
};

TEST_F(NumberLocaleTest, SeparatorsComeFromTheNamedLocale)
{
    struct Case {
        const char* name;
        std::string decimal;
        std::string thousands;
    } cases[] = {
        { "de_DE.UTF-8", ",", "." },
        { "fr_FR.UTF-8", ",", " " }, // a narrow no-break space, which GBK has not
        { "C", ".", "" },
    };
    for (const auto& c : cases) {
        std::optional<NumberLocale> locale = NumberLocale::Named(c.name);
        ASSERT_TRUE(locale) << c.name;
        EXPECT_EQ(locale->DecimalSeparator(), c.decimal) << c.name;
        EXPECT_EQ(locale->ThousandsSeparator(), c.thousands) << c.name;
    }
    EXPECT_FALSE(NumberLocale::Named("xx_NOWHERE.UTF-8"));
    EXPECT_FALSE(NumberLocale::Named(""));
}

TEST_F(NumberLocaleTest, TheEnvironmentNamesTheUsersLocaleAndTheProcessKeepsC)
{
    setenv("LANG", "fr_FR.UTF-8", 1);
    setenv("LC_NUMERIC", "de_DE.UTF-8", 1);
    EXPECT_EQ(NumberLocale::FromEnvironment(), NumberLocale(",", "."));
    setenv("LC_ALL", "fr_FR.UTF-8", 1); // LC_ALL wins over the others
    EXPECT_EQ(NumberLocale::FromEnvironment(), NumberLocale(",", " "));
    // Reading it left the process's own numbers alone.
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    // A locale that is not installed reads as C.
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(NumberLocale::FromEnvironment(), NumberLocale());
}

}
