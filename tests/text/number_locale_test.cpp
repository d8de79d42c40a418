#include "platform/text/number_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace pellamo;

namespace {

// Compiles a few locales into a private folder and points the C library at
// it (LOCPATH), so the tests need no locale installed on the machine.
class NumberLocaleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new std::filesystem::path(std::filesystem::temp_directory_path() / ("pellamo-locales-" + std::to_string(getpid())));
        std::filesystem::create_directories(*folder_);
        for (const char* name : { "de_DE", "fr_FR" }) {
            std::string command = std::string("localedef -i ") + name + " -f UTF-8 '" + folder_->string() + "/" + name
                + ".UTF-8' >/dev/null 2>&1";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
        }
        setenv("LOCPATH", folder_->c_str(), 1);
    }
    static void TearDownTestSuite()
    {
        unsetenv("LOCPATH");
        std::filesystem::remove_all(*folder_);
        delete folder_;
    }
    void TearDown() override
    {
        unsetenv("LC_ALL");
        unsetenv("LC_NUMERIC");
        unsetenv("LANG");
    }
    static std::filesystem::path* folder_;
};

std::filesystem::path* NumberLocaleTest::folder_ = nullptr;

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
