// The dump of one list: which rows and cells it writes, what it refuses, and
// what a cell that cannot be read shows.

#include "listview/listview.h"
#include "report/report.h"
#include "support/tool_fixture.h"

namespace {

struct DumpCase {
    const char* name;
    std::int32_t rows;
    std::int32_t columns;
    std::function<HWND(sim::Desktop&, HWND list, HWND button)> target;
    std::string out;
    std::string err;
};

HWND TheList(sim::Desktop&, HWND list, HWND) { return list; }

class ListDumpTest : public ToolTest {};

TEST_F(ListDumpTest, RowsCellsAndRefusals) {
    const std::string notAList =
        Cp932("指定されたハンドルはリストビュー・コントロールではありません。\n");
    const std::string noClass = Cp932("指定されたハンドルのクラス名を取得できません。\n");
    const std::string japanese = Cp932("日本");
    const DumpCase cases[] = {
        {"two rows of two", 2, 2, TheList, " a ; b \n c ;  \n", ""},
        {"more rows than the list has", 99, 2, TheList,
         " a ; b \n c ;  \n " + japanese + " ; x;y \n", ""},
        {"no rows", 0, 2, TheList, "", ""},
        {"negative rows", -5, 2, TheList, "", ""},
        {"no columns", 2, 0, TheList, "\n\n", ""},
        {"negative columns", 1, -1, TheList, "\n", ""},
        {"columns beyond the list's, answered as empty", 1, 4, TheList, " a ; b ;  ;  \n", ""},
        {"columns beyond the list's, refused",
         1, 3,
         [](sim::Desktop& d, HWND list, HWND) {
             d.List(list).failBeyondColumns = true;
             return list;
         },
         " a ; b ;  \n", ""},
        {"a list destroyed during the dump", 3, 2,
         [](sim::Desktop& d, HWND list, HWND) {
             d.List(list).destroyAfterItemMessages = 3;
             return list;
         },
         " a ; b \n c ;  \n  ;  \n", ""},
        {"a process that denies access", 1, 2,
         [](sim::Desktop& d, HWND list, HWND) {
             d.Owner(list).deniedAccess = PROCESS_VM_OPERATION;
             return list;
         },
         "  ;  \n", ""},
        {"a button's handle", 2, 2, [](sim::Desktop&, HWND, HWND button) { return button; }, "",
         notAList},
        {"a handle of no window", 2, 2,
         [](sim::Desktop&, HWND, HWND) { return WindowFromNumber(0x00000999); }, "", noClass},
        {"handle 0", 2, 2, [](sim::Desktop&, HWND, HWND) { return WindowFromNumber(0); }, "",
         noClass},
    };
    for (const DumpCase& c : cases) {
        sim::Desktop desktop;
        sim::Install(&desktop);
        DWORD app = desktop.AddProcess(false);
        HWND frame = desktop.AddWindow(nullptr, "Frame", "F", app);
        HWND list = desktop.AddListView(frame, app, {{"a", "b"}, {"c", ""}, {japanese, "x;y"}});
        HWND button = desktop.AddWindow(frame, "Button", "OK", app);
        HWND target = c.target(desktop, list, button);

        OpenReport();
        Console console = Capture([&] { DumpListRows(c.rows, target, c.columns); });
        EXPECT_EQ(console.out, c.out) << c.name;
        EXPECT_EQ(console.err, c.err) << c.name;
        EXPECT_EQ(Report(), c.out) << c.name;
        ::ExpectNothingLeft(desktop, c.name);
        CloseReport();
    }
    sim::Install(&desktop_);
}

} // namespace
