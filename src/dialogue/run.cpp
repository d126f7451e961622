// Start-up, the menu and the choice loop.

#include "dialogue/dialogue.h"
#include "listview/listview.h"
#include "report/report.h"

#include <iostream>

#ifndef LVDUMP_VERSION
#define LVDUMP_VERSION "1.0.0"
#endif

namespace {

int EndRun() {
    WriteLine("＜＜プログラム終了＞＞");
    CloseReport();
    return 0;
}

} // namespace

void ShowMenu() {
    WriteLine("====================================================== "
              "lvdump " LVDUMP_VERSION "（MITライセンス）");
    WriteLine("次動作は、以下から選択してください。");
    WriteLine("再度、リスト一覧を表示＝０、特定のリスト内容を表示＝１");
    WriteLine("プログラム終了＝９");
    WriteLine(" ");
}

int RunTool() {
    InitCommonControls();
    OpenReport();
    ListAllListViews();
    ShowMenu();
    for (;;) {
        std::int32_t choice = PromptInteger("整数を入力してください。次の動作= ",
                                            "入力が間違っています。", " 次の動作= ",
                                            " 次の動作= ");
        if (InputEnded()) break;
        if (choice == 0) {
            ListAllListViews();
            ShowMenu();
        } else if (choice == 1) {
            RequestListContents();
            if (InputEnded()) break;
            ShowMenu();
        } else if (choice == 9) {
            return EndRun();
        }
    }
    // The input ended in the middle of a line the user was answering.
    EndLine(std::cout);
    return EndRun();
}
