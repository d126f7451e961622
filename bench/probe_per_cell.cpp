// bench_per_cell: reads rows x columns cells of one list view with exactly the
// exchange lvdump's cell reader makes for every cell (width query, process
// handle, two blocks, record, message, read-back, release), and writes nothing
// but one summary line at the end. The tool's dump against this probe is the
// tool's own overhead.
//
// Usage: bench_per_cell HANDLE ROWS COLUMNS

#include "probe.h"

namespace {

void ReleaseBlock(HANDLE process, LPVOID block) {
    if (block) VirtualFreeEx(process, block, 0, MEM_RELEASE);
}

// The cell reader's calls, one for one and in the same order.
LRESULT ReadCell(HWND list, std::int32_t row, std::int32_t column,
                 char (&destination)[kCellCapacity]) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const ItemRecordLayout& layout = probe::LayoutForOwner(processId);

    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, processId);
    if (!process) return 0;

    LPVOID text = VirtualAllocEx(process, nullptr, kCellCapacity + 1,
                                 MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    LPVOID record = text ? VirtualAllocEx(process, nullptr, layout.size,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                         : nullptr;
    LRESULT result = 0;
    if (record) {
        unsigned char bytes[kItemRecordMaxSize];
        BuildItemRecord(layout, row, column, reinterpret_cast<std::uintptr_t>(text),
                        static_cast<std::int32_t>(kCellCapacity), bytes);
        if (WriteProcessMemory(process, record, bytes, layout.size, nullptr)) {
            result = SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(record));
            if (result == 1) {
                if (!ReadProcessMemory(process, text, destination, kCellCapacity, nullptr))
                    destination[0] = '\0';
                destination[kCellCapacity - 1] = '\0';
            }
        }
    }
    ReleaseBlock(process, record);
    ReleaseBlock(process, text);
    CloseHandle(process);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    probe::ListRequest request;
    if (!probe::ParseListRequest(argc, argv, &request)) return 2;
    std::int32_t rows = probe::RowsToRead(request);
    if (rows < 0) {
        std::fprintf(stderr, "bench_per_cell: %s is not a list view\n", argv[1]);
        return 1;
    }
    probe::Tally tally;
    char cell[kCellCapacity];
    for (std::int32_t row = 0; row < rows; ++row) {
        for (std::int32_t column = 0; column < request.columns; ++column) {
            LRESULT result = ReadCell(request.list, row, column, cell);
            probe::CountCell(&tally, result, cell);
        }
    }
    probe::WriteSummary(tally);
    return 0;
}
