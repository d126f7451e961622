// Running the tool's code in-process against the simulated desktop.

#include "support/tool_fixture.h"

#include "dialogue/dialogue.h"
#include "report/report.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

ToolTest::ToolTest() {
    char pattern[] = "/tmp/lvdump-test-XXXXXX";
    folder_ = mkdtemp(pattern);
    std::filesystem::current_path(folder_);
    sim::Install(&desktop_);
    app_ = desktop_.AddProcess(false);
}

ToolTest::~ToolTest() {
    CloseReport();
    sim::Install(nullptr);
    std::filesystem::current_path("/");
    std::filesystem::remove_all(folder_);
}

Console ToolTest::Capture(const std::function<void()>& body, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    std::streambuf* oldIn = std::cin.rdbuf(in.rdbuf());
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    std::cin.clear();
    body();
    std::cin.rdbuf(oldIn);
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    std::cin.clear();
    return {out.str(), err.str(), -1};
}

Console ToolTest::Run(const std::string& input) {
    int status = -1;
    Console console = Capture([&] { status = RunTool(); }, input);
    console.status = status;
    return console;
}

std::string ToolTest::Report() const {
    std::ifstream file(folder_ + "/Handle_List.txt", std::ios::binary);
    if (!file) return "<no report>";
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void ExpectNothingLeft(const sim::Desktop& desktop, const std::string& context) {
    EXPECT_EQ(desktop.OpenHandles(), 0u) << context << ": process handles left open";
    EXPECT_EQ(desktop.LiveBlocks(), 0u) << context << ": remote blocks left allocated";
    EXPECT_TRUE(desktop.faults.empty()) << context << ": " << desktop.faults.front();
}

void ToolTest::ExpectNothingLeft() const { ::ExpectNothingLeft(desktop_); }

std::string MenuText() {
    return Cp932("====================================================== "
                 "lvdump 1.0.0（MITライセンス）\n"
                 "次動作は、以下から選択してください。\n"
                 "再度、リスト一覧を表示＝０、特定のリスト内容を表示＝１\n"
                 "プログラム終了＝９\n"
                 " \n");
}

std::string FarewellText() { return Cp932("＜＜プログラム終了＞＞\n"); }
