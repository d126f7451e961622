// bench_walk: the inventory's walk and nothing else: every top-level window,
// every descendant's class name, and the item count of each list view. No
// titles, no output but one summary line at the end. The tool's inventory
// against this probe is what the tool adds to the walk.
//
// Usage: bench_walk

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {

struct Walk {
    unsigned long windows = 0; // top-level
    unsigned long lists = 0;
    unsigned long long rows = 0;
};

BOOL CALLBACK OnChildWindow(HWND window, LPARAM value) {
    char className[80] = {};
    if (GetClassNameA(window, className, sizeof className - 1) == 0) return TRUE;
    if (std::strcmp(className, "SysListView32") != 0) return TRUE;
    Walk* walk = reinterpret_cast<Walk*>(value);
    ++walk->lists;
    walk->rows += static_cast<unsigned long long>(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0));
    return TRUE;
}

BOOL CALLBACK OnTopLevelWindow(HWND window, LPARAM value) {
    ++reinterpret_cast<Walk*>(value)->windows;
    EnumChildWindows(window, OnChildWindow, value);
    return TRUE;
}

} // namespace

int main() {
    Walk walk;
    EnumWindows(OnTopLevelWindow, reinterpret_cast<LPARAM>(&walk));
    std::printf("windows=%lu lists=%lu rows=%llu\n", walk.windows, walk.lists, walk.rows);
    return 0;
}
