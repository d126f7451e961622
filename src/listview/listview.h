// Everything that reaches into other applications' list views: the inventory
// of the desktop, the cross-process cell reader and the dump of one list.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>

// Capacity of a cell text, its NUL included: the most a cell read returns.
constexpr std::size_t kCellCapacity = 1024;

// The class every list-view control has; compared byte for byte.
extern const char kListViewClass[];

// The window a handle number names (which may be no window at all).
HWND WindowFromNumber(std::uint32_t handle);

// A list's item count, clamped to the signed 32-bit range the protocol uses.
std::int32_t ListItemCount(HWND list);

// Writes a header per top-level window that holds list views, and an entry
// per list view with its handle and row count, to the console and the report.
void ListAllListViews();

// Reads the text of one cell of a list view owned by any process. Returns the
// list view's answer (1 on success), or 0 when the owning process cannot be
// opened or a block cannot be placed in it. On success the destination holds
// the text, always ended by a NUL within its kCellCapacity bytes; on any
// other result it is left as it was.
LRESULT ReadListCell(HWND list, std::int32_t row, std::int32_t column,
                     char (&destination)[kCellCapacity]);

// Writes the first `rows` rows (at most the list's item count), `columns`
// cells each, as row lines on the console and in the report. A handle that
// is not a list view is refused with a message on standard error. A cell
// that cannot be read is written as an empty text.
void DumpListRows(std::int32_t rows, HWND list, std::int32_t columns);
