// Menu choice 1: which list to read and how much of it.

#include "dialogue/dialogue.h"
#include "listview/listview.h"
#include "report/report.h"

#include <iostream>

void RequestListContents() {
    WriteLine("+++++++++++++++++++++++++++++++++++++++");
    WriteLine("調べるリストのハンドル番号（10進）を入力してください。");
    std::cout << "ハンドル番号=";
    std::cout.flush();

    std::uint32_t handle = 0;
    if (!ReadUInt32(std::cin, handle)) {
        // An unreadable answer names no list: never an earlier request's one.
        // The stream stays failed, so the row prompt reports the bad answer.
        handle = 0;
        if (InputEnded()) return;
    }
    WriteLine(RequestHandleLine(handle));
    WriteLine("確認：10進表示で「 2147483647  」が、MQL4のintの上限です");
    WriteRequestHeader(handle);

    std::int32_t rows = PromptInteger("表示する「行数」を整数で入力してください。行数=",
                                      "整数ではありません！　再入力", "行数= ",
                                      " 確認：　行数= ");
    if (InputEnded()) return;
    std::int32_t columns = PromptInteger("表示する「列数」を整数で入力してください。列数=",
                                         "整数ではありません！　再入力", "列数= ",
                                         " 確認：　列数= ");
    if (InputEnded()) return;

    WriteLine("======================================================");
    WriteRequestSeparator();
    DumpListRows(rows, WindowFromNumber(handle), columns);
}
