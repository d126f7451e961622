// Menu choice 1: which list to read and how much of it.

#include "dialogue/dialogue.h"
#include "listview/listview.h"
#include "report/report.h"

#include <iostream>

void RequestListContents() {
    std::cout << "+++++++++++++++++++++++++++++++++++++++";
    EndLine(std::cout);
    std::cout << "調べるリストのハンドル番号（10進）を入力してください。";
    EndLine(std::cout);
    std::cout << "ハンドル番号=";
    std::cout.flush();

    std::uint32_t handle = 0;
    if (!ReadUInt32(std::cin, handle)) {
        // An unreadable answer names no list: never an earlier request's one.
        // The stream stays failed, so the row prompt reports the bad answer.
        handle = 0;
        if (InputEnded()) return;
    }
    std::cout << RequestHandleLine(handle);
    EndLine(std::cout);
    std::cout << "確認：10進表示で「 2147483647  」が、MQL4のintの上限です";
    EndLine(std::cout);
    WriteRequestHeader(handle);

    std::int32_t rows = PromptInteger("表示する「行数」を整数で入力してください。行数=",
                                      "整数ではありません！　再入力", "行数= ",
                                      " 確認：　行数= ");
    if (InputEnded()) return;
    std::int32_t columns = PromptInteger("表示する「列数」を整数で入力してください。列数=",
                                         "整数ではありません！　再入力", "列数= ",
                                         " 確認：　列数= ");
    if (InputEnded()) return;

    std::cout << "======================================================";
    EndLine(std::cout);
    WriteRequestSeparator();
    DumpListRows(rows, WindowFromNumber(handle), columns);
}
