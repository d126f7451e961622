// The inventory of a desktop: which windows and list views it shows, in what
// order, and the exact bytes on the console and in the report.

#include "listview/listview.h"
#include "report/report.h"
#include "support/tool_fixture.h"

namespace {

const std::string kRule = std::string(48, '-') + "\n";

std::string ConsoleEntry(const std::string& handle, int count) {
    return Cp932("　ハンドル番号：" + handle + "　リスト行数　：" + std::to_string(count) + "\n");
}

std::string ReportEntry(const std::string& handle, int count) {
    return Cp932("    ハンドル番号：" + handle + "　リスト行数　：" + std::to_string(count) + "\n");
}

std::vector<std::vector<std::string>> Rows(int n) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < n; ++i) rows.push_back({"r" + std::to_string(i)});
    return rows;
}

class InventoryTest : public ToolTest {};

TEST_F(InventoryTest, ListsEveryListViewUnderItsTopLevelWindow) {
    HWND trading = desktop_.AddWindow(nullptr, "MainFrame", Cp932("売買画面"), app_);
    desktop_.AddWindow(trading, "Button", "OK", app_);
    desktop_.AddListView(trading, app_, Rows(3), 1, 0x000A0B0C);
    HWND dialog = desktop_.AddWindow(trading, "#32770", "", app_);
    HWND pane = desktop_.AddWindow(dialog, "Static", "", app_);
    desktop_.AddListView(pane, app_, Rows(0), 1, 0x80000000u);

    HWND untitled = desktop_.AddWindow(nullptr, "Frame", "", app_);
    desktop_.AddListView(untitled, app_, Rows(2), 1, 0xFFFFFFFEu);
    desktop_.AddListView(untitled, app_, Rows(1), 1, 0x00000123);

    HWND calculator = desktop_.AddWindow(nullptr, "Frame", Cp932("電卓"), app_);
    desktop_.AddWindow(calculator, "Button", "=", app_);

    std::string longTitle;
    for (int i = 0; i < 10; ++i) longTitle += "0123456789";
    HWND wide = desktop_.AddWindow(nullptr, "Frame", longTitle, app_);
    desktop_.AddListView(wide, app_, Rows(5), 1, 0x00FE0010);

    // Class names are compared byte for byte: another spelling is not a list view.
    HWND lookalike = desktop_.AddWindow(nullptr, "Frame", "lookalike", app_);
    desktop_.AddWindow(lookalike, "SysListview32", "", app_);
    desktop_.AddWindow(lookalike, "SysListView32 ", "", app_);

    OpenReport();
    Console console = Capture(ListAllListViews);

    std::string title78 = longTitle.substr(0, 78) + "\n";
    EXPECT_EQ(console.out, kRule + Cp932("売買画面\n") + ConsoleEntry("0000658188", 3) +
                               ConsoleEntry("2147483648", 0) + kRule + Cp932("タイトルなし\n") +
                               ConsoleEntry("4294967294", 2) + ConsoleEntry("0000000291", 1) +
                               kRule + title78 + ConsoleEntry("0016646160", 5));
    EXPECT_EQ(Report(), kRule + Cp932("売買画面\n") + ReportEntry("0000658188", 3) +
                            ReportEntry("2147483648", 0) + kRule + Cp932("タイトルなし\n") +
                            ReportEntry("4294967294", 2) + ReportEntry("0000000291", 1) + kRule +
                            title78 + ReportEntry("0016646160", 5));
    EXPECT_EQ(console.err, "");
}

TEST_F(InventoryTest, EveryInventoryOfARunIsAppendedToTheReport) {
    HWND frame = desktop_.AddWindow(nullptr, "Frame", "F", app_);
    desktop_.AddListView(frame, app_, Rows(1), 1, 0x00000042);
    Console console = Run("0\n9\n");
    std::string inventory = kRule + "F\n" + ReportEntry("0000000066", 1);
    EXPECT_EQ(Report(), inventory + inventory);
    EXPECT_EQ(console.status, 0);
}

TEST_F(InventoryTest, ADesktopWithoutListViewsWritesNothing) {
    HWND frame = desktop_.AddWindow(nullptr, "Frame", "F", app_);
    desktop_.AddWindow(frame, "Edit", "", app_);
    OpenReport();
    Console console = Capture(ListAllListViews);
    EXPECT_EQ(console.out, "");
    EXPECT_EQ(Report(), "");
}

} // namespace
