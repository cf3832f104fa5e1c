// The README's kelmora-check examples, run as printed by bash in a UTF-8 terminal's locale,
// on the sample draw and tickets under the names the examples use.

#include "tests/cli/RunChecker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using kelmora::test::RunCommand;
using kelmora::test::TempDir;

namespace {

// Each example of the batch checker's sections: indented lines after a comment, up to a blank.
std::vector<std::string> Examples()
{
    std::ifstream readme(KELMORA_SOURCE_DIR "/README.md");
    std::vector<std::string> examples;
    bool inSection = false;
    std::string current;
    const auto finish = [&] {
        if (!current.empty())
            examples.push_back(current);
        current.clear();
    };
    for (std::string line; std::getline(readme, line);) {
        if (line.starts_with("#")) {
            finish();
            inSection = line.find("kelmora-check") != std::string::npos;
            continue;
        }
        if (!inSection || !line.starts_with("    ") || line.starts_with("    #")) {
            finish();
            continue;
        }
        // The synopsis shows the options in brackets; it is no example.
        if (line.find("DRAW.wkx TICKETS.wkn...") == std::string::npos &&
            line.find("抽せん.wkx 番号.wkn...") == std::string::npos)
            current += line.substr(4) + "\n";
    }
    finish();
    return examples;
}

} // namespace

TEST(ReadmeExamples, RunAsPrinted)
{
    TempDir dir;
    namespace fs = std::filesystem;
    const fs::path root = dir.Path();
    const fs::path examples = fs::path(KELMORA_SOURCE_DIR) / "examples";
    fs::copy(examples, root / "examples");
    fs::create_directories(root / "draws");
    fs::create_directories(root / "results");
    fs::create_directories(root / "bin");
    fs::copy_file(examples / "nenmatsu-jumbo.wkx", root / "draw.wkx");
    fs::copy_file(examples / "nenmatsu-jumbo.wkx", root / "draws" / "nenmatsu-jumbo.wkx");
    fs::copy_file(examples / "summer-draw.wkx", root / "draws" / "summer-draw.wkx");
    for (const char* name : {"a.wkn", "b.wkn", "my-tickets.wkn"})
        fs::copy_file(examples / "my-tickets.wkn", root / name);
    fs::create_symlink(KELMORA_CHECK, root / "bin" / "kelmora-check");

    const auto all = Examples();
    ASSERT_GE(all.size(), 12u) << "the examples of both languages";
    bool typedOnStandardInput = false;
    for (const std::string& example : all) {
        SCOPED_TRACE(example);
        std::ofstream(root / "example.sh") << "set -e -o pipefail\n" << example;
        const auto run = RunCommand(dir, "PATH=\"$PWD/bin:$PATH\" LANG=C.UTF-8 bash example.sh");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        const std::string& out = run.out;
        if (example.starts_with("printf '12組345678\\n'")) {
            typedOnStandardInput = true;
            // The typed number won as well as the same number in a.wkn and b.wkn.
            const std::string win = "当選番号12組345678\n1等に当選したクジの番号\n12組345678\n";
            std::size_t wins = 0;
            for (std::size_t at = out.find(win); at != std::string::npos; at = out.find(win, at + 1))
                ++wins;
            EXPECT_EQ(wins, 3u) << out;
        }
    }
    EXPECT_TRUE(typedOnStandardInput);
}
