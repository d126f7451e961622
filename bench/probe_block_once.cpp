// bench_block_once: reads the same cells as bench_per_cell, but asks the
// owner's width, opens the process and places its two blocks once for the
// whole list; per cell only the record is written, the message sent and the
// text read back. Against bench_per_cell it shows what the per-cell opening,
// placing and releasing cost.
//
// Usage: bench_block_once HANDLE ROWS COLUMNS

#include "probe.h"

int main(int argc, char** argv) {
    probe::ListRequest request;
    if (!probe::ParseListRequest(argc, argv, &request)) return 2;
    std::int32_t rows = probe::RowsToRead(request);
    if (rows < 0) {
        std::fprintf(stderr, "bench_block_once: %s is not a list view\n", argv[1]);
        return 1;
    }

    DWORD processId = 0;
    GetWindowThreadProcessId(request.list, &processId);
    const ItemRecordLayout& layout = ItemRecordLayoutFor(processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, processId);
    if (!process) {
        std::fprintf(stderr, "bench_block_once: cannot open process %lu\n", processId);
        return 1;
    }
    LPVOID text = VirtualAllocEx(process, nullptr, kCellCapacity + 1,
                                 MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    LPVOID record = text ? VirtualAllocEx(process, nullptr, layout.size,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                         : nullptr;

    probe::Tally tally;
    char cell[kCellCapacity];
    unsigned char bytes[kItemRecordMaxSize];
    for (std::int32_t row = 0; record && row < rows; ++row) {
        for (std::int32_t column = 0; column < request.columns; ++column) {
            BuildItemRecord(layout, row, column, reinterpret_cast<std::uintptr_t>(text),
                            static_cast<std::int32_t>(kCellCapacity), bytes);
            LRESULT result = 0;
            if (WriteProcessMemory(process, record, bytes, layout.size, nullptr)) {
                result = SendMessageA(request.list, LVM_GETITEMA, 0,
                                      reinterpret_cast<LPARAM>(record));
                if (result == 1) {
                    if (!ReadProcessMemory(process, text, cell, kCellCapacity, nullptr))
                        cell[0] = '\0';
                    cell[kCellCapacity - 1] = '\0';
                }
            }
            probe::CountCell(&tally, result, cell);
        }
    }

    if (record) VirtualFreeEx(process, record, 0, MEM_RELEASE);
    if (text) VirtualFreeEx(process, text, 0, MEM_RELEASE);
    CloseHandle(process);
    probe::WriteSummary(tally);
    return record ? 0 : 1;
}
