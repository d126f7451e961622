// Dumping the first rows of one list view as row lines.

#include "listview/listview.h"
#include "report/report.h"

#include <cstring>
#include <iostream>

namespace {

void Refuse(const char* message) {
    std::cerr << message;
    EndLine(std::cerr);
}

} // namespace

void DumpListRows(std::int32_t rows, HWND list, std::int32_t columns) {
    char className[80] = {};
    if (GetClassNameA(list, className, sizeof className - 1) == 0) {
        Refuse("指定されたハンドルのクラス名を取得できません。");
        return;
    }
    if (std::strcmp(className, kListViewClass) != 0) {
        Refuse("指定されたハンドルはリストビュー・コントロールではありません。");
        return;
    }
    std::int32_t count = ListItemCount(list);
    std::int32_t shown = rows < count ? rows : count;

    char cell[kCellCapacity];
    for (std::int32_t row = 0; row < shown; ++row) {
        for (std::int32_t column = 0; column < columns; ++column) {
            // A cell that cannot be read shows as empty, never as another cell's text.
            bool read = ReadListCell(list, row, column, cell) == 1;
            WriteRowCell(column, read ? cell : "");
        }
        EndRowLine();
    }
}
