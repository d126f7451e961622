// List views and windows that answer strangely: what the user sees in the
// inventory and in a dump, and that nothing is left behind in their process.

#include "listview/listview.h"
#include "report/report.h"
#include "support/tool_fixture.h"

namespace {

struct OddCase {
    const char* name;
    std::function<void(sim::Desktop&, HWND frame, HWND list)> setup;
    std::string inventory; // the console after the inventory
    std::int32_t rows, columns;
    std::string dump; // the console after the dump
    std::string err;
};

std::string Entry(const char* count) {
    return Cp932(std::string("　ハンドル番号：0000000016　リスト行数　：") + count + "\n");
}

std::string Repeat(const std::string& piece, std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += piece;
    text.resize(bytes);
    return text;
}

class MisbehavingTest : public ToolTest {};

TEST_F(MisbehavingTest, WhatTheUserSees) {
    const std::string header = std::string(48, '-') + "\nF\n";
    auto answer = [](sim::ItemAnswer how, LRESULT value = 1) {
        return [how, value](sim::Desktop& d, HWND, HWND list) {
            d.List(list).answer = how;
            d.List(list).answerValue = value;
        };
    };
    auto count = [](LRESULT n) {
        return [n](sim::Desktop& d, HWND, HWND list) { d.List(list).itemCount = n; };
    };
    const OddCase cases[] = {
        {"answers 1 without a NUL: cut to 1023 bytes", answer(sim::ItemAnswer::NoTerminator),
         header + Entry("2"), 1, 1, " " + Repeat("ab", 1023) + " \n", ""},
        {"answers 1 and writes nothing: empty cells", answer(sim::ItemAnswer::WritesNothing),
         header + Entry("2"), 2, 2, "  ;  \n  ;  \n", ""},
        {"answers 2: not a success", answer(sim::ItemAnswer::FixedValue, 2), header + Entry("2"),
         1, 2, "  ;  \n", ""},
        {"answers -1: not a success", answer(sim::ItemAnswer::FixedValue, -1),
         header + Entry("2"), 1, 2, "  ;  \n", ""},
        {"a negative item count: no rows", count(-3), header + Entry("-3"), 5, 2, "", ""},
        {"an item count beyond 32 bits: clamped, rows beyond the real ones empty",
         count(static_cast<LRESULT>(1) << 40), header + Entry("2147483647"), 3, 1,
         " ab \n ef \n  \n", ""},
        {"allocations in its process fail",
         [](sim::Desktop& d, HWND, HWND list) { d.Owner(list).failAllocation.after = 1; },
         header + Entry("2"), 1, 2, "  ;  \n", ""},
        {"the title query fails: question marks",
         [](sim::Desktop& d, HWND frame, HWND) { d.Find(frame)->failTitleQuery = true; },
         std::string(48, '-') + "\n????????????????\n" + Entry("2"), 1, 1, " ab \n", ""},
        {"the class query fails: not listed, refused",
         [](sim::Desktop& d, HWND, HWND list) { d.Find(list)->failClassQuery = true; }, "", 1,
         1, "", Cp932("指定されたハンドルのクラス名を取得できません。\n")},
    };
    for (const OddCase& c : cases) {
        sim::Desktop desktop;
        sim::Install(&desktop);
        DWORD app = desktop.AddProcess(false);
        HWND frame = desktop.AddWindow(nullptr, "Frame", "F", app);
        HWND list = desktop.AddListView(frame, app, {{"ab", "cd"}, {"ef", "gh"}}, 2, 16);
        c.setup(desktop, frame, list);

        OpenReport();
        Console inventory = Capture(ListAllListViews);
        Console dump = Capture([&] { DumpListRows(c.rows, list, c.columns); });
        CloseReport();
        EXPECT_EQ(inventory.out, c.inventory) << c.name;
        EXPECT_EQ(dump.out, c.dump) << c.name;
        EXPECT_EQ(dump.err, c.err) << c.name;
        ::ExpectNothingLeft(desktop, c.name);
    }
    sim::Install(&desktop_);
}

} // namespace
