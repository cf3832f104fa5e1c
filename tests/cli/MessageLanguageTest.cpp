// kelmora-check speaks one language per run: Japanese under a Japanese locale, English
// otherwise, its own messages and the core's alike.

#include "tests/cli/Environment.h"
#include "tests/cli/RunChecker.h"

#include <gtest/gtest.h>

using kelmora::test::RunChecker;
using kelmora::test::TempDir;
using kelmora::test::TLanguageScope;
using kelmora::test::WriteBytes;

namespace {

const std::string kDraw = "[Ver]\r\nNo=1\r\nEVENT=E\r\n[Hit]\r\nHit1=H\r\nNo1=7\r\nSHO1=P\r\n";

struct Texts {
    std::string usage, unknownOption, cannotOpen, noClass, help;
};

const Texts kJapanese{"使い方: kelmora-check", "オプション '--bogus' はありません", "は開けません",
                      "には等級が一つもありません", "終了コード"};
const Texts kEnglish{"usage: kelmora-check", "unknown option '--bogus'", "cannot open the file",
                     "defines no prize class", "Exit status"};

void ExpectLanguage(const Texts& expected, const Texts& other)
{
    TempDir dir;
    WriteBytes(dir.File("d.wkx"), kDraw);
    WriteBytes(dir.File("t.wkn"), "17\r\n");
    const auto wrong = RunChecker(dir, "--bogus d.wkx t.wkn");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find(expected.usage), std::string::npos) << wrong.err;
    EXPECT_NE(wrong.err.find(expected.unknownOption), std::string::npos) << wrong.err;
    EXPECT_EQ(wrong.err.find(other.usage), std::string::npos) << wrong.err;

    const auto missing = RunChecker(dir, "none.wkx t.wkn");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find(expected.cannotOpen), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find(dir.File("none.wkx")), std::string::npos) << missing.err;

    const auto swapped = RunChecker(dir, "t.wkn d.wkx");
    EXPECT_EQ(swapped.exitCode, 1);
    EXPECT_NE(swapped.err.find(expected.noClass), std::string::npos) << swapped.err;

    const auto help = RunChecker(dir, "--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find(expected.usage), std::string::npos);
    EXPECT_NE(help.out.find(expected.help), std::string::npos);
    EXPECT_EQ(help.out.find(other.help), std::string::npos);
}

} // namespace

TEST(MessageLanguage, JapaneseUnderAJapaneseLocale)
{
    // Whether or not the system has generated that locale.
    const TLanguageScope japanese("ja_JP.UTF-8");
    ExpectLanguage(kJapanese, kEnglish);
}

TEST(MessageLanguage, EnglishUnderTheCLocaleAndOthers)
{
    for (const char* lang : {"C", "POSIX", "C.UTF-8", "en_US.UTF-8", "de_DE.UTF-8"}) {
        SCOPED_TRACE(lang);
        const TLanguageScope english(lang);
        ExpectLanguage(kEnglish, kJapanese);
    }
}

TEST(MessageLanguage, LcAllAndLanguageDecideAsGettextDoes)
{
    {
        const TLanguageScope scope("ja_JP.UTF-8");
        ::setenv("LC_ALL", "C", 1);
        ExpectLanguage(kEnglish, kJapanese);
    }
    {
        const TLanguageScope scope("en_US.UTF-8", "ja:en");
        ExpectLanguage(kJapanese, kEnglish);
    }
    {
        // Under the C locale gettext ignores LANGUAGE.
        const TLanguageScope scope("C", "ja");
        ExpectLanguage(kEnglish, kJapanese);
    }
}

TEST(MessageLanguage, VersionIsTheProjectsVersion)
{
    TempDir dir;
    const auto run = RunChecker(dir, "--version");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "kelmora-check " KELMORA_VERSION "\n");
}
