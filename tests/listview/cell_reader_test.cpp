// Reading one cell across the process boundary: the record the list view
// finds in its own process, what comes back, and that nothing is left behind.

#include "listview/item_record.h"
#include "listview/listview.h"
#include "support/tool_fixture.h"

#include <cstring>
#include <optional>

namespace {

class CellReaderTest : public ToolTest {};

std::vector<std::uint8_t> ExpectedRecord(std::size_t size,
                                         std::vector<std::pair<std::size_t, std::uint64_t>> fields,
                                         std::size_t pointerOffset, std::size_t pointerBytes,
                                         std::uint64_t pointer) {
    std::vector<std::uint8_t> bytes(size, 0);
    fields.push_back({pointerOffset, pointer});
    for (auto& field : fields) {
        std::size_t width = field.first == pointerOffset ? pointerBytes : 4;
        for (std::size_t i = 0; i < width; ++i)
            bytes[field.first + i] = static_cast<std::uint8_t>(field.second >> (8 * i));
    }
    return bytes;
}

TEST_F(CellReaderTest, TheRecordHasTheLayoutOfTheOwnersPointerWidth) {
    DWORD app64 = desktop_.AddProcess(true);
    HWND frame = desktop_.AddWindow(nullptr, "Frame", "F", app_);
    HWND list32 = desktop_.AddListView(frame, app_, {{"a", "b"}, {"c", "d"}, {"e", "f"}});
    HWND list64 = desktop_.AddListView(frame, app64, {{"a", "b"}, {"c", "d"}, {"e", "f"}});
    char cell[kCellCapacity] = {};

    ASSERT_EQ(ReadListCell(list32, 2, 1, cell), 1);
    EXPECT_STREQ(cell, "f");
    const sim::DecodedItem& item32 = *desktop_.lastItem;
    EXPECT_LT(item32.text, 0x100000000ull);
    EXPECT_EQ(item32.bytes,
              ExpectedRecord(60, {{0, LVIF_TEXT}, {4, 2}, {8, 1}, {24, 1024}}, 20, 4, item32.text));

    ASSERT_EQ(ReadListCell(list64, 1, 0, cell), 1);
    EXPECT_STREQ(cell, "c");
    const sim::DecodedItem& item64 = *desktop_.lastItem;
    EXPECT_GT(item64.text, 0xFFFFFFFFull) << "the address must not have been cut";
    EXPECT_EQ(item64.bytes,
              ExpectedRecord(88, {{0, LVIF_TEXT}, {4, 1}, {8, 0}, {32, 1024}}, 24, 8, item64.text));
    ExpectNothingLeft();
}

TEST(ItemRecord, BuildsEitherLayoutByteForByte) {
    unsigned char bytes[kItemRecordMaxSize];
    BuildItemRecord(kItemRecord64, -1, 7, 0x0000123456789ABCull, 1024, bytes);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 88),
              ExpectedRecord(88, {{0, 1}, {4, 0xFFFFFFFFu}, {8, 7}, {32, 1024}}, 24, 8,
                             0x0000123456789ABCull));
    BuildItemRecord(kItemRecord32, 3, 0, 0x00A10000u, 1024, bytes);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 60),
              ExpectedRecord(60, {{0, 1}, {4, 3}, {8, 0}, {24, 1024}}, 20, 4, 0x00A10000u));
}

TEST(ItemRecord, OwnerWidthFollowsTheWow64Answers) {
    struct Case {
        bool tool64;
        std::optional<bool> toolWow64, ownerWow64;
        bool owner64;
    };
    const Case cases[] = {
        {true, std::nullopt, false, true},         // 64-bit tool, native owner
        {true, std::nullopt, true, false},         // 64-bit tool, WOW64 owner
        {true, std::nullopt, std::nullopt, true},  // unknown: the tool's own width
        {false, true, false, true},                // 32-bit tool on 64-bit Windows, 64-bit owner
        {false, true, true, false},                // both under WOW64
        {false, false, false, false},              // 32-bit Windows
        {false, std::nullopt, false, false},       // the tool's own answer unknown
        {false, true, std::nullopt, false},        // the owner's answer unknown
    };
    for (const Case& c : cases)
        EXPECT_EQ(OwnerIs64Bit(c.tool64, c.toolWow64, c.ownerWow64), c.owner64)
            << c.tool64 << ' ' << c.toolWow64.value_or(2) << ' ' << c.ownerWow64.value_or(2);
}

struct ReadCase {
    const char* name;
    std::function<void(sim::Desktop&, HWND)> setup;
    int row, column;
    LRESULT result;
    std::optional<std::string> text; // empty: the destination is left as it was
    bool messageSent;
};

TEST_F(CellReaderTest, WhatComesBackInEveryCase) {
    const std::string longCell(2000, 'L');
    const std::string cut(1023, 'L');
    auto none = [](sim::Desktop&, HWND) {};
    const ReadCase cases[] = {
        {"a cell", none, 0, 0, 1, std::string("abc"), true},
        {"a Japanese cell", none, 1, 1, 1, Cp932("約定済み"), true},
        {"an empty cell", none, 1, 0, 1, std::string(), true},
        {"a cell longer than 1023 bytes", none, 0, 1, 1, cut, true},
        {"a list view that fills its capacity with no NUL",
         [](sim::Desktop& d, HWND w) { d.List(w).answer = sim::ItemAnswer::NoTerminator; }, 0, 1,
         1, cut, true},
        {"a column beyond the list's columns", none, 0, 5, 1, std::string(), true},
        {"a row beyond the item count", none, 2, 0, 0, std::nullopt, true},
        {"a negative row", none, -1, 0, 0, std::nullopt, true},
        {"a process that denies access",
         [](sim::Desktop& d, HWND w) { d.Owner(w).deniedAccess = PROCESS_VM_READ; }, 0, 0, 0,
         std::nullopt, false},
        {"the first allocation fails",
         [](sim::Desktop& d, HWND w) { d.Owner(w).failAllocation.after = 1; }, 0, 0, 0,
         std::nullopt, false},
        {"the second allocation fails",
         [](sim::Desktop& d, HWND w) { d.Owner(w).failAllocation.after = 2; }, 0, 0, 0,
         std::nullopt, false},
        {"a destroyed list", [](sim::Desktop& d, HWND w) { d.Destroy(w); }, 0, 0, 0,
         std::nullopt, false},
        {"a 64-bit owner whose width cannot be asked",
         [](sim::Desktop& d, HWND w) {
             d.Owner(w).is64bit = true;
             d.Owner(w).failWidthQuery = true;
         },
         0, 0, 1, std::string("abc"), true},
    };
    for (const ReadCase& c : cases) {
        sim::Desktop desktop;
        sim::Install(&desktop);
        DWORD app = desktop.AddProcess(false);
        HWND frame = desktop.AddWindow(nullptr, "Frame", "F", app);
        HWND list = desktop.AddListView(frame, app, {{"abc", longCell}, {"", Cp932("約定済み")}});
        c.setup(desktop, list);

        char cell[kCellCapacity];
        std::memset(cell, '#', sizeof cell);
        EXPECT_EQ(ReadListCell(list, c.row, c.column, cell), c.result) << c.name;
        if (c.text) {
            EXPECT_EQ(std::string(cell), *c.text) << c.name;
        } else {
            EXPECT_EQ(std::string(cell, sizeof cell), std::string(sizeof cell, '#')) << c.name;
        }
        EXPECT_EQ(desktop.itemMessages > 0, c.messageSent) << c.name;
        ::ExpectNothingLeft(desktop, c.name);
    }
    sim::Install(&desktop_);
}

} // namespace
