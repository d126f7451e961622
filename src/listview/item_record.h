// The item record a list view reads when asked for a cell, laid out for the
// pointer width of the process that owns the list view, and how that width is
// found.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <optional>

struct ItemRecordLayout {
    std::size_t size;
    std::size_t mask;
    std::size_t item;
    std::size_t subItem;
    std::size_t text;      // pszText
    std::size_t textBytes; // width of pszText
    std::size_t textMax;   // cchTextMax
};

// Fifteen 32-bit fields.
constexpr ItemRecordLayout kItemRecord32{60, 0, 4, 8, 20, 4, 24};
// The same record with 8-byte pointers and LPARAM, padded to their alignment.
constexpr ItemRecordLayout kItemRecord64{88, 0, 4, 8, 24, 8, 32};
constexpr std::size_t kItemRecordMaxSize = 88;

// Fills out[0, layout.size) with a request for the text of one cell: every
// byte zero except the mask (text wanted), the row, the column, the address of
// the text block in the owner's memory and its capacity. Little-endian.
void BuildItemRecord(const ItemRecordLayout& layout, std::int32_t row, std::int32_t column,
                     std::uint64_t textAddress, std::int32_t textCapacity, unsigned char* out);

// Whether the owner of a list view uses 64-bit pointers, from the tool's own
// width and the IsWow64Process answers for the tool and for the owner (empty
// when the query failed). When it cannot be told, the tool's own width holds.
bool OwnerIs64Bit(bool toolIs64Bit, std::optional<bool> toolIsWow64,
                  std::optional<bool> ownerIsWow64);

// The layout the list views of a process use, asked through a handle of its
// own opened for limited query (so that the handle for the memory work keeps
// exactly the rights it needs). Falls back on the tool's own width.
const ItemRecordLayout& ItemRecordLayoutFor(DWORD processId);
