// What the benchmark's probes share: their command line, the list check the
// dump makes before reading, and the closing summary line through which bench/run checks that a
// probe read the same cells as the tool.
#pragma once

#include "listview/item_record.h"
#include "listview/listview.h" // kCellCapacity

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace probe {

struct ListRequest {
    HWND list = nullptr;
    std::int32_t rows = 0;
    std::int32_t columns = 0;
};

// One decimal argument; false unless the whole text is a number.
inline bool ParseNumber(const char* text, long long* value) {
    char* end = nullptr;
    *value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0';
}

// Reads "HANDLE ROWS COLUMNS" (decimal). Returns false, after a usage line on
// standard error, when they are missing or not numbers.
inline bool ParseListRequest(int argc, char** argv, ListRequest* request) {
    long long handle = 0, rows = 0, columns = 0;
    if (argc != 4 || !ParseNumber(argv[1], &handle) || !ParseNumber(argv[2], &rows) ||
        !ParseNumber(argv[3], &columns)) {
        std::fprintf(stderr, "usage: %s HANDLE ROWS COLUMNS (decimal numbers)\n", argv[0]);
        return false;
    }
    auto number = static_cast<std::uint32_t>(handle);
    request->list = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(number));
    request->rows = static_cast<std::int32_t>(rows);
    request->columns = static_cast<std::int32_t>(columns);
    return true;
}

// The dump's own preamble: the class check and the item count, and the
// smaller of the requested rows and the count. Returns -1 for a handle that
// is not a list view.
inline std::int32_t RowsToRead(const ListRequest& request) {
    char className[80] = {};
    if (GetClassNameA(request.list, className, sizeof className - 1) == 0) return -1;
    if (std::strcmp(className, "SysListView32") != 0) return -1;
    LRESULT count = SendMessageA(request.list, LVM_GETITEMCOUNT, 0, 0);
    return request.rows < count ? request.rows : static_cast<std::int32_t>(count);
}

// Counts what a probe read, so that the reads cannot be optimised away and
// bench/run can compare them with the tool's report.
struct Tally {
    unsigned long long cells = 0;     // exchanges made
    unsigned long long read = 0;      // answered with 1
    unsigned long long textBytes = 0; // length of every text read (failed cells count 0)
};

inline void CountCell(Tally* tally, LRESULT result, const char* text) {
    ++tally->cells;
    if (result != 1) return;
    ++tally->read;
    tally->textBytes += std::strlen(text);
}

// The one line a probe writes: after the timed work, so it costs nothing
// per cell.
inline void WriteSummary(const Tally& tally) {
    std::printf("cells=%llu read=%llu bytes=%llu\n", tally.cells, tally.read, tally.textBytes);
}

} // namespace probe
