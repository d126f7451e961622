// Whole runs with list-contents requests: the console dialogue, the messages
// on standard error and the exact bytes of the report.

#include "report/report.h"
#include "support/tool_fixture.h"

namespace {

const std::string kMenuPrompt = Cp932("整数を入力してください。次の動作= ");
const std::string kRowPrompt = Cp932("表示する「行数」を整数で入力してください。行数=");
const std::string kColumnPrompt = Cp932("表示する「列数」を整数で入力してください。列数=");
const std::string kRowRetry = Cp932("整数ではありません！　再入力\n行数= ");
const std::string kColumnRetry = Cp932("整数ではありません！　再入力\n列数= ");
const std::string kClosingRule = std::string(54, '=') + "\n";
const std::string kNoClass = Cp932("指定されたハンドルのクラス名を取得できません。\n");

std::string Choice(int n) { return kMenuPrompt + Cp932(" 次の動作= ") + std::to_string(n) + "\n"; }

// The opening of a request up to the row prompt, with the handle as echoed.
std::string Opening(const std::string& handle12) {
    return std::string(39, '+') + "\n" +
           Cp932("調べるリストのハンドル番号（10進）を入力してください。\nハンドル番号=") +
           Cp932("ハンドル番号（10進）=  ") + handle12 + "\n" +
           Cp932("確認：10進表示で「 2147483647  」が、MQL4のintの上限です\n");
}

std::string RowEcho(int n) { return Cp932(" 確認：　行数= ") + std::to_string(n) + "\n"; }
std::string ColumnEcho(int n) { return Cp932(" 確認：　列数= ") + std::to_string(n) + "\n"; }

std::string ReportRequest(const std::string& handle12, const std::string& rows) {
    return std::string(20, '+') + "\n" + Cp932("ハンドル番号（10進）=  ") + handle12 + "\n" +
           "   \n" + rows;
}

struct RequestCase {
    const char* name;
    std::string input;
    std::string out;    // the console after the start-up inventory and menu
    std::string err;
    std::string report; // the report after the start-up inventory
};

class RequestTest : public ToolTest {};

TEST_F(RequestTest, Transcripts) {
    HWND frame = desktop_.AddWindow(nullptr, "Frame", "F", app_);
    desktop_.AddListView(frame, app_, {{"a", "b"}, {"c", Cp932("日本")}}, 2, 123);
    const std::string rows = " a ; b \n c ; " + Cp932("日本") + " \n";
    const std::string end = Choice(9) + FarewellText();

    const RequestCase cases[] = {
        {"handle 123", "1\n123\n2\n2\n9\n",
         Choice(1) + Opening("000000000123") + kRowPrompt + RowEcho(2) + kColumnPrompt +
             ColumnEcho(2) + kClosingRule + rows + MenuText() + end,
         "", ReportRequest("000000000123", rows)},
        {"the largest handle", "1\n4294967295\n1\n1\n9\n",
         Choice(1) + Opening("004294967295") + kRowPrompt + RowEcho(1) + kColumnPrompt +
             ColumnEcho(1) + kClosingRule + MenuText() + end,
         kNoClass, ReportRequest("004294967295", "")},
        {"minus one", "1\n-1\n1\n1\n9\n",
         Choice(1) + Opening("004294967295") + kRowPrompt + RowEcho(1) + kColumnPrompt +
             ColumnEcho(1) + kClosingRule + MenuText() + end,
         kNoClass, ReportRequest("004294967295", "")},
        // An unreadable handle never falls back on the previous request's list.
        {"a handle that is not a number", "1\n123\n1\n1\n1\nabc\n1\n1\n9\n",
         Choice(1) + Opening("000000000123") + kRowPrompt + RowEcho(1) + kColumnPrompt +
             ColumnEcho(1) + kClosingRule + " a \n" + MenuText() + Choice(1) +
             Opening("000000000000") + kRowPrompt + kRowRetry + kRowRetry + kRowRetry +
             RowEcho(1) + kColumnPrompt + ColumnEcho(1) + kClosingRule + MenuText() + end,
         kNoClass,
         ReportRequest("000000000123", " a \n") + ReportRequest("000000000000", "")},
        {"a row answer of 3x", "1\n123\n3x\n2\n9\n",
         Choice(1) + Opening("000000000123") + kRowPrompt + RowEcho(3) + kColumnPrompt +
             kColumnRetry + ColumnEcho(2) + kClosingRule + rows + MenuText() + end,
         "", ReportRequest("000000000123", rows)},
        {"the handle on the menu choice's line", "1 123\n1\n1\n9\n",
         Choice(1) + Opening("000000000123") + kRowPrompt + RowEcho(1) + kColumnPrompt +
             ColumnEcho(1) + kClosingRule + " a \n" + MenuText() + end,
         "", ReportRequest("000000000123", " a \n")},
        {"input ending at the column prompt", "1\n123\n2\n",
         Choice(1) + Opening("000000000123") + kRowPrompt + RowEcho(2) + kColumnPrompt + "\n" +
             FarewellText(),
         "", std::string(20, '+') + "\n" + Cp932("ハンドル番号（10進）=  000000000123\n")},
        {"input ending at the handle prompt", "1\n",
         Choice(1) + std::string(39, '+') + "\n" +
             Cp932("調べるリストのハンドル番号（10進）を入力してください。\nハンドル番号=") +
             "\n" + FarewellText(),
         "", ""},
    };
    const std::string inventory =
        std::string(48, '-') + "\nF\n" + Cp932("　ハンドル番号：0000000123　リスト行数　：2\n");
    const std::string reportInventory =
        std::string(48, '-') + "\nF\n" + Cp932("    ハンドル番号：0000000123　リスト行数　：2\n");
    for (const RequestCase& c : cases) {
        Console console = Run(c.input);
        EXPECT_EQ(console.out, inventory + MenuText() + c.out) << c.name;
        EXPECT_EQ(console.err, c.err) << c.name;
        EXPECT_EQ(console.status, 0) << c.name;
        EXPECT_EQ(Report(), reportInventory + c.report) << c.name;
        ExpectNothingLeft();
    }
}

} // namespace
