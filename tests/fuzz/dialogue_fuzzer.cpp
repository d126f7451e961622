// libFuzzer target: arbitrary bytes as standard input to a whole run of the
// tool, from start-up to its end, over a simulated desktop that holds well-made
// and misbehaving list views. Every run must end with status 0 and leave no
// process handle, no remote block and no misused service behind.
//
// A run may ask for billions of cells, which a user would get; the fuzzer
// cannot wait for them, so the console is cut after kConsoleBudget bytes by
// throwing out of the run at a write (no remote resources are held there).

#include "dialogue/dialogue.h"
#include "platform/simulated_desktop.h"
#include "report/report.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

constexpr std::size_t kConsoleBudget = 1 << 13;

struct BudgetExceeded {};

// Counts what the tool writes and throws once the budget is spent.
class BoundedSink : public std::streambuf {
public:
    explicit BoundedSink(std::size_t budget) : left_(budget) {}

protected:
    int overflow(int c) override {
        Spend(1);
        return c == traits_type::eof() ? 0 : c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        Spend(static_cast<std::size_t>(n));
        return n;
    }

private:
    void Spend(std::size_t n) {
        if (n > left_) throw BudgetExceeded{};
        left_ -= n;
    }
    std::size_t left_;
};

std::vector<std::vector<std::string>> Grid(int rows, int columns, const std::string& stem) {
    std::vector<std::vector<std::string>> grid(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid[static_cast<std::size_t>(r)].push_back(stem + std::to_string(r) + "," +
                                                        std::to_string(c));
    return grid;
}

// Handles 1 to 16 name the windows below, so that short inputs reach them.
void BuildDesktop(sim::Desktop& d) {
    DWORD app32 = d.AddProcess(false);
    DWORD app64 = d.AddProcess(true);
    DWORD locked = d.AddProcess(false);
    d.processes[locked].deniedAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;
    DWORD starved = d.AddProcess(true);
    d.processes[starved].failAllocation = {3, false, 0};
    // Its width cannot be asked, so the tool assumes its own, which is right here.
    DWORD mute = d.AddProcess(sizeof(void*) == 8);
    d.processes[mute].failWidthQuery = true;

    HWND main = d.AddWindow(nullptr, "Frame", "\x94\x84\x94\x83", app32, 1); // CP932 "売買"
    d.AddListView(main, app32, Grid(4, 3, "a"), 3, 2);
    d.AddWindow(main, "Button", "OK", app32, 3);
    HWND dialog = d.AddWindow(main, "#32770", "", app32, 4);
    d.AddListView(dialog, app64, Grid(3, 2, "b"), 2, 5);

    HWND untitled = d.AddWindow(nullptr, "Frame", "", app32, 6);
    HWND noNul = d.AddListView(untitled, app32, {{std::string(3000, 'n'), "x"}}, 2, 7);
    d.List(noNul).answer = sim::ItemAnswer::NoTerminator;
    HWND silent = d.AddListView(untitled, app32, Grid(2, 2, "c"), 2, 8);
    d.List(silent).answer = sim::ItemAnswer::WritesNothing;
    HWND odd = d.AddListView(untitled, app64, Grid(2, 2, "d"), 2, 9);
    d.List(odd).answer = sim::ItemAnswer::FixedValue;
    d.List(odd).answerValue = -1;

    HWND broken = d.AddWindow(nullptr, "Frame", "broken", app32, 10);
    d.Find(broken)->failTitleQuery = true;
    HWND negative = d.AddListView(broken, app32, Grid(1, 1, "e"), 1, 11);
    d.List(negative).itemCount = -5;
    HWND huge = d.AddListView(broken, app64, Grid(2, 2, "f"), 2, 12);
    d.List(huge).itemCount = static_cast<LRESULT>(1) << 40;
    HWND vanishing = d.AddListView(broken, app32, Grid(5, 2, "g"), 2, 13);
    d.List(vanishing).destroyAfterItemMessages = 4;
    HWND classless = d.AddWindow(broken, "SysListView32", "", app32, 14);
    d.Find(classless)->failClassQuery = true;

    HWND guarded = d.AddWindow(nullptr, "Frame", "guarded", locked, 15);
    d.AddListView(guarded, locked, Grid(2, 2, "h"), 2, 16);
    d.AddListView(guarded, starved, Grid(3, 3, "i"), 3, 17);
    d.AddListView(guarded, mute, Grid(2, 2, "j"), 2, 0xFFFFFFF0u);
}

std::string g_folder;

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The report goes to a folder of the fuzzer's own, removed at exit.
    char folder[] = "/tmp/lvdump-fuzz-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) std::abort();
    g_folder = folder;
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::Desktop desktop;
    BuildDesktop(desktop);
    sim::Install(&desktop);

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    BoundedSink console(kConsoleBudget);
    BoundedSink errors(kConsoleBudget);
    std::streambuf* oldIn = std::cin.rdbuf(in.rdbuf());
    std::streambuf* oldOut = std::cout.rdbuf(&console);
    std::streambuf* oldErr = std::cerr.rdbuf(&errors);
    std::cin.clear();
    std::cout.clear();
    std::cerr.clear();
    std::cout.exceptions(std::ios::badbit);
    std::cerr.exceptions(std::ios::badbit);

    int status = 0;
    try {
        status = RunTool();
    } catch (const BudgetExceeded&) {
        CloseReport();
    }

    std::cout.exceptions(std::ios::goodbit);
    std::cerr.exceptions(std::ios::goodbit);
    std::cin.rdbuf(oldIn);
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    std::cin.clear();
    std::cout.clear();
    std::cerr.clear();

    if (status != 0) {
        std::fprintf(stderr, "run ended with status %d\n", status);
        std::abort();
    }
    if (desktop.OpenHandles() != 0 || desktop.LiveBlocks() != 0 || !desktop.faults.empty()) {
        std::fprintf(stderr, "left behind: %zu handles, %zu blocks, %zu faults%s%s\n",
                     desktop.OpenHandles(), desktop.LiveBlocks(), desktop.faults.size(),
                     desktop.faults.empty() ? "" : ": ",
                     desktop.faults.empty() ? "" : desktop.faults.front().c_str());
        std::abort();
    }
    sim::Install(nullptr);
    return 0;
}
