// Reading one cell of another process's list view. The list view writes into
// a record and a text block whose addresses must be valid in its own process,
// so both are placed there, the control fills them, and the text is copied
// back. Every call opens and releases all it uses.

#include "listview/item_record.h"
#include "listview/listview.h"

namespace {

void ReleaseBlock(HANDLE process, LPVOID block) {
    if (block) VirtualFreeEx(process, block, 0, MEM_RELEASE);
}

} // namespace

LRESULT ReadListCell(HWND list, std::int32_t row, std::int32_t column,
                     char (&destination)[kCellCapacity]) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const ItemRecordLayout& layout = ItemRecordLayoutFor(processId);

    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, processId);
    if (!process) return 0;

    // One byte more than the capacity the record states, zero-filled, so the
    // block ends in a NUL whatever the control writes within its capacity.
    LPVOID text = VirtualAllocEx(process, nullptr, kCellCapacity + 1, MEM_COMMIT | MEM_RESERVE,
                                 PAGE_READWRITE);
    LPVOID record = text ? VirtualAllocEx(process, nullptr, layout.size,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                         : nullptr;
    LRESULT result = 0;
    if (record) {
        unsigned char bytes[kItemRecordMaxSize];
        BuildItemRecord(layout, row, column, reinterpret_cast<std::uintptr_t>(text),
                        static_cast<std::int32_t>(kCellCapacity), bytes);
        // The message goes out only with the record in place.
        if (WriteProcessMemory(process, record, bytes, layout.size, nullptr)) {
            result = SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(record));
            if (result == 1) {
                if (!ReadProcessMemory(process, text, destination, kCellCapacity, nullptr))
                    destination[0] = '\0';
                // A control may fill its whole capacity without a NUL.
                destination[kCellCapacity - 1] = '\0';
            }
        }
    }
    ReleaseBlock(process, record);
    ReleaseBlock(process, text);
    CloseHandle(process);
    return result;
}
