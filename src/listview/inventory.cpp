// The inventory: every list view on the desktop, grouped under the title of
// its top-level window, in the order the window manager enumerates them.

#include "listview/listview.h"
#include "report/report.h"

#include <climits>
#include <cstring>

const char kListViewClass[] = "SysListView32";

HWND WindowFromNumber(std::uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
}

std::int32_t ListItemCount(HWND list) {
    LRESULT count = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    if (count > INT32_MAX) return INT32_MAX;
    if (count < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(count);
}

namespace {

// The value is the title buffer of the current top-level window. Its first
// byte doubles as a flag: non-zero while the window's header is still due.
BOOL CALLBACK OnChildWindow(HWND window, LPARAM value) {
    char className[80] = {};
    if (GetClassNameA(window, className, sizeof className - 1) == 0) return TRUE;
    if (std::strcmp(className, kListViewClass) != 0) return TRUE;

    char* title = reinterpret_cast<char*>(value);
    if (title && title[0] != '\0') {
        WriteWindowHeader(title);
        title[0] = '\0';
    }
    WriteListEntry(window, ListItemCount(window));
    return TRUE;
}

BOOL CALLBACK OnTopLevelWindow(HWND window, LPARAM) {
    // A title query that leaves the buffer untouched shows as question marks.
    char title[80] = "????????????????";
    GetWindowTextA(window, title, sizeof title - 1);
    if (title[0] == '\0') {
        static const char untitled[] = "タイトルなし";
        std::memcpy(title, untitled, sizeof untitled);
    }
    EnumChildWindows(window, OnChildWindow, reinterpret_cast<LPARAM>(title));
    return TRUE;
}

} // namespace

void ListAllListViews() { EnumWindows(OnTopLevelWindow, 0); }
