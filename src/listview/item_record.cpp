// Building the item record byte by byte, so that one tool can address list
// views of either pointer width.

#include "listview/item_record.h"

#include <cstring>

// The layouts above must be the platform's own for this build's width.
#if !defined(_WIN32) || (defined(_WIN32_WINNT) && _WIN32_WINNT >= 0x0600)
static_assert(sizeof(LVITEMA) == (sizeof(void*) == 8 ? kItemRecord64 : kItemRecord32).size,
              "item record size");
static_assert(offsetof(LVITEMA, pszText) ==
                  (sizeof(void*) == 8 ? kItemRecord64 : kItemRecord32).text,
              "pszText offset");
static_assert(offsetof(LVITEMA, cchTextMax) ==
                  (sizeof(void*) == 8 ? kItemRecord64 : kItemRecord32).textMax,
              "cchTextMax offset");
static_assert(offsetof(LVITEMA, iSubItem) == kItemRecord32.subItem, "iSubItem offset");
#endif

namespace {

std::optional<bool> QueryWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(process, &wow64)) return std::nullopt;
    return wow64 != FALSE;
}

void StoreLittle(unsigned char* at, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace

void BuildItemRecord(const ItemRecordLayout& layout, std::int32_t row, std::int32_t column,
                     std::uint64_t textAddress, std::int32_t textCapacity, unsigned char* out) {
    std::memset(out, 0, layout.size);
    StoreLittle(out + layout.mask, LVIF_TEXT, 4);
    StoreLittle(out + layout.item, static_cast<std::uint32_t>(row), 4);
    StoreLittle(out + layout.subItem, static_cast<std::uint32_t>(column), 4);
    StoreLittle(out + layout.text, textAddress, layout.textBytes);
    StoreLittle(out + layout.textMax, static_cast<std::uint32_t>(textCapacity), 4);
}

bool OwnerIs64Bit(bool toolIs64Bit, std::optional<bool> toolIsWow64,
                  std::optional<bool> ownerIsWow64) {
    if (!ownerIsWow64) return toolIs64Bit;
    // A WOW64 owner is a 32-bit program on 64-bit Windows.
    if (*ownerIsWow64) return false;
    // Otherwise the owner has the system's own width.
    if (toolIs64Bit) return true;
    if (!toolIsWow64) return false;
    return *toolIsWow64;
}

const ItemRecordLayout& ItemRecordLayoutFor(DWORD processId) {
    bool toolIs64Bit = sizeof(void*) == 8;
    std::optional<bool> toolIsWow64;
    if (!toolIs64Bit) toolIsWow64 = QueryWow64(GetCurrentProcess());
    std::optional<bool> ownerIsWow64;
    HANDLE query = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (query) {
        ownerIsWow64 = QueryWow64(query);
        CloseHandle(query);
    }
    return OwnerIs64Bit(toolIs64Bit, toolIsWow64, ownerIsWow64) ? kItemRecord64 : kItemRecord32;
}
