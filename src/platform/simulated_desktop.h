// The simulated desktop behind simulated_api.h: windows with classes, titles
// and owners, processes with address spaces of their own, and list views that
// answer the item message by decoding the record from their process's memory,
// as a real list view does. Tests build one, install it, run the tool's code
// against it, and read its counters to prove that nothing leaked.
#pragma once

#include "platform/simulated_api.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// How a list view answers the item message.
enum class ItemAnswer {
    Normal,        // text cut to capacity-1 bytes and a NUL; answers 1
    NoTerminator,  // writes the text repeated to fill the whole capacity, no NUL; answers 1
    WritesNothing, // answers 1 and leaves the text block as it is
    FixedValue,    // writes normally but answers ListView::answerValue
};

struct ListView {
    std::vector<std::vector<std::string>> rows; // cell bytes, row by row
    int columns = 0;                            // columns beyond these read as empty texts,
    bool failBeyondColumns = false;             // or, when set, are answered with 0
    std::optional<LRESULT> itemCount;           // reported instead of rows.size() when set
    ItemAnswer answer = ItemAnswer::Normal;
    LRESULT answerValue = 1;
    // The window is destroyed right after answering this many item messages.
    int destroyAfterItemMessages = -1;
};

struct Window {
    std::uint32_t handle = 0;
    std::uint32_t parent = 0; // 0 for a top-level window
    std::string className;
    std::string title;
    DWORD processId = 0;
    DWORD threadId = 0;
    bool failTitleQuery = false; // the title query fails and leaves the buffer untouched
    bool failClassQuery = false; // the class query answers 0
    std::vector<std::uint32_t> children;
    std::optional<ListView> list;
};

// A fault switch: trips on its Nth use from now (1 = the next one), then
// keeps tripping when persistent. A negative count never trips.
struct FailSwitch {
    int after = -1;
    bool persistent = true;
    int uses = 0;
    bool Trip();
};

struct Process {
    DWORD id = 0;
    bool is64bit = false;
    DWORD deniedAccess = 0;     // access rights OpenProcess refuses for this process
    bool failWidthQuery = false;
    FailSwitch failAllocation;
    std::map<std::uint64_t, std::vector<std::uint8_t>> blocks; // base address -> bytes
    std::uint64_t firstAddress = 0; // where its allocations start
};

// The fields of the last item record a list view decoded.
struct DecodedItem {
    std::vector<std::uint8_t> bytes; // the record as it lay in the owner's memory
    std::uint32_t mask = 0;
    std::int32_t item = 0;
    std::int32_t subItem = 0;
    std::uint64_t text = 0;
    std::int32_t textMax = 0;
};

struct Desktop {
    std::map<std::uint32_t, Window> windows;
    std::vector<std::uint32_t> topLevel; // enumeration order
    std::map<DWORD, Process> processes;
    std::map<std::uintptr_t, std::pair<DWORD, DWORD>> openHandles; // handle -> process, access
    std::vector<std::string> faults; // misuse of a service, or a list view fed a bad address
    std::optional<DecodedItem> lastItem;
    int itemMessages = 0;
    int countMessages = 0;
    int processOpens = 0;

    DWORD AddProcess(bool is64bit = false);
    // A window under parent (nullptr: top level), owned by process. A handle of 0
    // picks the next free one.
    HWND AddWindow(HWND parent, const std::string& className, const std::string& title,
                   DWORD processId, std::uint32_t handle = 0);
    // A "SysListView32" window with the given rows; columns defaults to the widest row.
    HWND AddListView(HWND parent, DWORD processId, std::vector<std::vector<std::string>> rows,
                     int columns = -1, std::uint32_t handle = 0);
    void Destroy(HWND window);

    Window* Find(HWND window);
    ListView& List(HWND window);
    Process& Owner(HWND window);
    std::size_t LiveBlocks() const;
    std::size_t OpenHandles() const { return openHandles.size(); }

    std::uint32_t nextHandle = 0x00010010;
    DWORD nextProcess = 0x1000;
};

// The desktop the simulated services answer from; nullptr means an empty one.
void Install(Desktop* desktop);

HWND ToHwnd(std::uint32_t handle);
std::uint32_t FromHwnd(HWND window);

} // namespace sim
