// sample_content.h: every title, column and cell that lvsample shows, kept in
// one place so that the end-to-end expectations (tests/e2e/expected) can be
// read off this file. Literals are UTF-8 here and become CP932 bytes through
// -fexec-charset=CP932; byte counts in comments are CP932 counts.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace lvsample {

// Standard set, in the order lvsample creates the windows. The name after
// each kind is the one it prints on standard output together with the handle
// ("window main 65636"); names are unique across kinds.
//
// window main        "lvdump 見本：ソフト表示テスト"
//   list japanese      3 columns, 5 rows (kJapaneseCells)
//   button refresh     "再読込", a push button beside the list
// window untitled    no title
//   list untitled_a    2 columns, 2 rows (kUntitledCells)
//   list empty         1 column, no rows
// window dialog      "子ダイアログを持つ窓"
//   dialog host        a child dialog (class "#32770") filling the window
//     list nested      2 columns, 2 rows (kNestedCells), child of the dialog
// window longtitle   kLongTitleKept followed by kLongTitleCut (see below)
//   list long_cells    2 columns, 3 rows: LongCell(1..3, ...) and "後１".."後３"
// window many_window "多数行のリスト（200行）"
//   list many          3 columns, kManyRows rows (ManyCell)
// window nolist      "リストのない窓", holds only a static text
// gone stale         a top-level window destroyed before READY; its handle
//                    names no window any more

inline constexpr char kMainTitle[] = "lvdump 見本：ソフト表示テスト";
inline constexpr char kButtonText[] = "再読込";
inline constexpr const char* kJapaneseColumns[] = {"品名", "数量", "備考"};
// Row 2 has an empty first cell, row 1 an empty last one; ソ 表 能 end in the
// byte 0x5C in CP932; row 4 holds a full-width blank and a ';'.
inline constexpr const char* kJapaneseCells[][3] = {
    {"りんご", "3", "青森県産"},
    {"みかん", "12", ""},
    {"", "0", "品名なし"},
    {"ソフトウェア", "1", "表示・能力"},
    {"全角　空白", "-5", "半角 ; 区切り"},
};

inline constexpr const char* kUntitledAColumns[] = {"A", "B"};
inline constexpr const char* kUntitledCells[][2] = {
    {"alpha", "1"},
    {"beta", "2"},
};
inline constexpr const char* kEmptyColumns[] = {"空"};

inline constexpr char kDialogTitle[] = "子ダイアログを持つ窓";
inline constexpr const char* kNestedColumns[] = {"項目", "値"};
inline constexpr const char* kNestedCells[][2] = {
    {"入れ子", "ダイアログ内"},
    {"深さ", "2"},
};

// A title query with capacity 79 keeps the first 78 bytes: kLongTitleKept is
// exactly those (14 bytes of Japanese, then ASCII ending in ']'), so no
// double-byte character straddles the cut.
inline constexpr char kLongTitleKept[] =
    "長いタイトル：ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 012345678]";
inline constexpr char kLongTitleCut[] = "[79バイト目から先は切り捨てられる";
static_assert(sizeof kLongTitleKept - 1 == 78, "the kept part must be 78 bytes");

inline constexpr const char* kLongColumns[] = {"本文", "後"};
// Lengths of LongCell(1), LongCell(2) and LongCell(3) in bytes: beyond, at and
// one past the 1023 bytes a reader with a 1024-byte buffer can hold.
inline constexpr std::size_t kLongCellLengths[] = {1500, 1023, 1024};
inline constexpr const char* kLongSecondColumn[] = {"後１", "後２", "後３"};

// "長文セル" + full-width digit k + "：" (12 bytes), then the ASCII digits
// "0123456789" repeated, until the text is `length` bytes long.
inline std::string LongCell(int k, std::size_t length) {
  static constexpr const char* kDigits[] = {"０", "１", "２", "３"};
  std::string text = std::string("長文セル") + kDigits[k] + "：";
  for (std::size_t i = 0; text.size() < length; ++i) text += static_cast<char>('0' + i % 10);
  return text;
}

inline constexpr char kManyTitle[] = "多数行のリスト（200行）";
inline constexpr const char* kManyColumns[] = {"番号", "二乗", "偶奇"};
inline constexpr int kManyRows = 200;

// Row r of "many": "行" and r in three digits, then r*r in decimal, then
// "偶数" or "奇数".
inline std::string ManyCell(int row, int column) {
  char buffer[32];
  switch (column) {
    case 0: std::snprintf(buffer, sizeof buffer, "行%03d", row); return buffer;
    case 1: std::snprintf(buffer, sizeof buffer, "%d", row * row); return buffer;
    default: return row % 2 == 0 ? "偶数" : "奇数";
  }
}

inline constexpr char kNoListTitle[] = "リストのない窓";
inline constexpr char kNoListText[] = "この窓にはリストがありません";
inline constexpr char kStaleTitle[] = "すぐに消える窓";

// Large set (--large), added after the standard set for benchmarks:
// window large_window "大量データのリスト" with list large: kLargeColumns columns and
// kLargeRows rows, cell (r, c) = LargeCell(r, c); then kBulkWindows windows
// "一括窓NNN" (NNN from 000), each with kBulkListsPerWindow lists "bulkNNN_L"
// (L from 0) of 2 columns and kBulkRows rows, cell (r, c) = LargeCell(r, c).
inline constexpr char kLargeTitle[] = "大量データのリスト";
inline constexpr int kLargeRows = 20000;
inline constexpr int kLargeColumns = 8;
inline constexpr int kBulkWindows = 300;
inline constexpr int kBulkListsPerWindow = 3;
inline constexpr int kBulkRows = 5;

inline std::string LargeCell(int row, int column) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "行%05d列%d", row, column);
  return buffer;
}

}  // namespace lvsample
