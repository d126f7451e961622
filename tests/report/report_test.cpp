// The report file's lifecycle and the layouts shared by both sinks.

#include "report/report.h"
#include "support/tool_fixture.h"

#include <filesystem>

namespace {

class ReportTest : public ToolTest {
protected:
    void AddOneList() {
        HWND frame = desktop_.AddWindow(nullptr, "Frame", Cp932("注文"), app_);
        desktop_.AddListView(frame, app_, {{"a"}}, 1, 0x00000123);
    }
};

TEST(FormatHandle, ZeroFillsToTheFieldWidth) {
    EXPECT_EQ(FormatHandle(123, 10), "0000000123");
    EXPECT_EQ(FormatHandle(123, 12), "000000000123");
    EXPECT_EQ(FormatHandle(0, 10), "0000000000");
    EXPECT_EQ(FormatHandle(4294967295u, 10), "4294967295");
    EXPECT_EQ(FormatHandle(4294967295u, 12), "004294967295");
}

TEST_F(ReportTest, RowLinesSeparateCellsTheSameWayOnBothSinks) {
    OpenReport();
    Console console = Capture([] {
        WriteRowCell(0, "a");
        WriteRowCell(1, "");
        WriteRowCell(2, "c;d");
        EndRowLine();
        EndRowLine(); // a row of no cells
    });
    EXPECT_EQ(console.out, " a ;  ; c;d \n\n");
    EXPECT_EQ(Report(), " a ;  ; c;d \n\n");
}

TEST_F(ReportTest, RequestRecordsGoToTheReportOnly) {
    OpenReport();
    Console console = Capture([] {
        WriteRequestHeader(123);
        WriteRequestSeparator();
    });
    EXPECT_EQ(console.out, "");
    EXPECT_EQ(Report(), std::string(20, '+') + "\n" +
                            Cp932("ハンドル番号（10進）=  000000000123\n") + "   \n");
}

TEST_F(ReportTest, EachStartReplacesTheLastRunsReport) {
    AddOneList();
    Run("0\n9\n");
    Run("9\n");
    EXPECT_EQ(Report(), std::string(48, '-') + "\n" + Cp932("注文\n") +
                            Cp932("    ハンドル番号：0000000291　リスト行数　：1\n"));
}

TEST_F(ReportTest, AReportThatCannotBeCreatedChangesNothingOnTheConsole) {
    AddOneList();
    const std::string input = "0\n1\n291\n1\n1\n9\n";
    Console normal = Run(input);
    std::filesystem::remove("Handle_List.txt");
    std::filesystem::create_directory("Handle_List.txt");
    Console blocked = Run(input);
    EXPECT_EQ(blocked.out, normal.out);
    EXPECT_EQ(blocked.err, normal.err);
    EXPECT_EQ(blocked.status, 0);
    EXPECT_TRUE(std::filesystem::is_directory("Handle_List.txt"));
}

} // namespace
