// Whole runs of the menu dialogue over an empty desktop: every byte written
// to the console, from the first menu to the farewell.

#include "support/tool_fixture.h"

namespace {

const std::string kPrompt = Cp932("整数を入力してください。次の動作= ");
const std::string kError = Cp932("入力が間違っています。\n");
const std::string kRetry = Cp932(" 次の動作= ");

std::string Echo(int choice) { return Cp932(" 次の動作= ") + std::to_string(choice) + "\n"; }

struct Transcript {
    const char* name;
    std::string input;
    std::string afterMenu; // the console after the first menu
};

class MenuTest : public ToolTest {};

TEST_F(MenuTest, Transcripts) {
    const std::string bad = kError + kRetry;
    const Transcript cases[] = {
        {"letters then an unlisted number", "abc\n5\n9\n",
         kPrompt + bad + bad + bad + Echo(5) + kPrompt + Echo(9) + FarewellText()},
        {"blanks before 9", "  9\n", kPrompt + Echo(9) + FarewellText()},
        {"9x never reads the x", "9x", kPrompt + Echo(9) + FarewellText()},
        {"+0 lists again and shows the menu", "+0\n9\n",
         kPrompt + Echo(0) + MenuText() + kPrompt + Echo(9) + FarewellText()},
        {"one above the range", "2147483648\n9\n", kPrompt + bad + Echo(9) + FarewellText()},
        {"sign then a letter", "-x\n9\n", kPrompt + bad + Echo(9) + FarewellText()},
        {"blanks between letters cost nothing", "a b\n9\n",
         kPrompt + bad + bad + Echo(9) + FarewellText()},
        // At the end of input the run ends as choice 9 does, on a line of its own.
        {"no input at all", "", kPrompt + "\n" + FarewellText()},
        {"a script that forgets the 9", "5\n0\n",
         kPrompt + Echo(5) + kPrompt + Echo(0) + MenuText() + kPrompt + "\n" + FarewellText()},
        {"input ending inside bad answers", "abc",
         kPrompt + bad + bad + bad + "\n" + FarewellText()},
    };
    for (const Transcript& c : cases) {
        Console console = Run(c.input);
        EXPECT_EQ(console.out, MenuText() + c.afterMenu) << c.name;
        EXPECT_EQ(console.err, "") << c.name;
        EXPECT_EQ(console.status, 0) << c.name;
        EXPECT_EQ(Report(), "") << c.name;
    }
}

} // namespace
