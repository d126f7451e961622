// The simulated desktop and the services of simulated_api.h that it backs.

#include "platform/simulated_desktop.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace sim {

namespace {

Desktop g_empty;
Desktop* g_desktop = &g_empty;

// Pseudo handle of the calling process, as the real GetCurrentProcess answers.
HANDLE const kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

std::uintptr_t g_nextProcessHandle = 0x100;

struct Access {
    Process* process = nullptr;
    DWORD rights = 0;
};

Access Lookup(HANDLE handle) {
    auto it = g_desktop->openHandles.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == g_desktop->openHandles.end()) return {};
    auto process = g_desktop->processes.find(it->second.first);
    if (process == g_desktop->processes.end()) return {};
    return {&process->second, it->second.second};
}

// The block that holds [address, address + size), or nullptr.
std::vector<std::uint8_t>* Span(Process& process, std::uint64_t address, std::uint64_t size,
                                std::uint64_t* offset) {
    auto it = process.blocks.upper_bound(address);
    if (it == process.blocks.begin()) return nullptr;
    --it;
    std::uint64_t start = address - it->first;
    if (start > it->second.size() || size > it->second.size() - start) return nullptr;
    *offset = start;
    return &it->second;
}

std::uint64_t LoadLittle(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// How the list view in a process of each width finds the fields it uses.
struct RecordShape {
    std::size_t size, text, textBytes, textMax;
};
constexpr RecordShape kShape32{60, 20, 4, 24};
constexpr RecordShape kShape64{88, 24, 8, 32};

void Fault(const std::string& what) { g_desktop->faults.push_back(what); }

LRESULT AnswerItem(Window& window, LPARAM lParam) {
    ListView& list = *window.list;
    Process& owner = g_desktop->processes.at(window.processId);
    const RecordShape& shape = owner.is64bit ? kShape64 : kShape32;

    std::uint64_t recordAddress = static_cast<std::uint64_t>(lParam);
    if (!owner.is64bit) recordAddress &= 0xFFFFFFFFu;
    std::uint64_t at = 0;
    std::vector<std::uint8_t>* block = Span(owner, recordAddress, shape.size, &at);
    if (!block) {
        Fault("list view read its item record through an invalid address");
        return 0;
    }
    const std::uint8_t* record = block->data() + at;
    DecodedItem item;
    item.bytes.assign(record, record + shape.size);
    item.mask = static_cast<std::uint32_t>(LoadLittle(record, 4));
    item.item = static_cast<std::int32_t>(LoadLittle(record + 4, 4));
    item.subItem = static_cast<std::int32_t>(LoadLittle(record + 8, 4));
    item.text = LoadLittle(record + shape.text, static_cast<int>(shape.textBytes));
    item.textMax = static_cast<std::int32_t>(LoadLittle(record + shape.textMax, 4));
    g_desktop->lastItem = item;

    if (item.item < 0 || item.item >= static_cast<std::int64_t>(list.rows.size()) ||
        item.subItem < 0 || (list.failBeyondColumns && item.subItem >= list.columns))
        return 0;
    LRESULT answer = list.answer == ItemAnswer::FixedValue ? list.answerValue : 1;
    if (!(item.mask & LVIF_TEXT) || list.answer == ItemAnswer::WritesNothing) return answer;
    if (item.textMax <= 0) return answer;

    const std::vector<std::string>& row = list.rows[static_cast<std::size_t>(item.item)];
    std::string text;
    if (item.subItem < list.columns && static_cast<std::size_t>(item.subItem) < row.size())
        text = row[static_cast<std::size_t>(item.subItem)];

    std::string written;
    std::size_t capacity = static_cast<std::size_t>(item.textMax);
    if (list.answer == ItemAnswer::NoTerminator && !text.empty()) {
        while (written.size() < capacity) written += text;
        written.resize(capacity);
    } else {
        written = text.substr(0, capacity - 1);
        written.push_back('\0');
    }
    std::uint64_t textAt = 0;
    std::vector<std::uint8_t>* textBlock = Span(owner, item.text, written.size(), &textAt);
    if (!textBlock) {
        Fault("list view wrote a cell text through an invalid address");
        return 0;
    }
    std::memcpy(textBlock->data() + textAt, written.data(), written.size());
    return answer;
}

int CopyName(const std::string& name, LPSTR buffer, int capacity) {
    if (!buffer || capacity <= 0) return 0;
    std::size_t n = std::min(name.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

bool Enumerate(const std::vector<std::uint32_t>& handles, WNDENUMPROC callback, LPARAM value,
               bool descend) {
    // Like the real services, walk a snapshot taken before the first call back.
    for (std::uint32_t handle : std::vector<std::uint32_t>(handles)) {
        Window* window = g_desktop->Find(ToHwnd(handle));
        if (!window) continue;
        std::vector<std::uint32_t> children = window->children;
        if (!callback(ToHwnd(handle), value)) return false;
        if (descend && !Enumerate(children, callback, value, true)) return false;
    }
    return true;
}

} // namespace

bool FailSwitch::Trip() {
    if (after < 0) return false;
    ++uses;
    if (uses == after) return true;
    return persistent && uses > after;
}

HWND ToHwnd(std::uint32_t handle) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle)); }

std::uint32_t FromHwnd(HWND window) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

void Install(Desktop* desktop) { g_desktop = desktop ? desktop : &g_empty; }

DWORD Desktop::AddProcess(bool is64bit) {
    Process process;
    process.id = nextProcess;
    nextProcess += 4;
    process.is64bit = is64bit;
    // Remote addresses are numbers of that process: below 4 GiB for a 32-bit one,
    // far above it for a 64-bit one, so that a cut pointer cannot pass unnoticed.
    process.firstAddress = is64bit ? 0x000001F400000000ull : 0x00A10000ull;
    processes[process.id] = process;
    return process.id;
}

HWND Desktop::AddWindow(HWND parent, const std::string& className, const std::string& title,
                        DWORD processId, std::uint32_t handle) {
    if (handle == 0) {
        while (windows.count(nextHandle)) nextHandle += 0x10;
        handle = nextHandle;
        nextHandle += 0x10;
    }
    Window window;
    window.handle = handle;
    window.parent = FromHwnd(parent);
    window.className = className;
    window.title = title;
    window.processId = processId;
    window.threadId = processId + 1;
    windows[handle] = window;
    if (window.parent)
        windows.at(window.parent).children.push_back(handle);
    else
        topLevel.push_back(handle);
    return ToHwnd(handle);
}

HWND Desktop::AddListView(HWND parent, DWORD processId, std::vector<std::vector<std::string>> rows,
                          int columns, std::uint32_t handle) {
    HWND window = AddWindow(parent, "SysListView32", "", processId, handle);
    ListView list;
    if (columns < 0) {
        columns = 0;
        for (const auto& row : rows) columns = std::max(columns, static_cast<int>(row.size()));
    }
    list.rows = std::move(rows);
    list.columns = columns;
    Find(window)->list = std::move(list);
    return window;
}

void Desktop::Destroy(HWND handle) {
    Window* window = Find(handle);
    if (!window) return;
    for (std::uint32_t child : std::vector<std::uint32_t>(window->children)) Destroy(ToHwnd(child));
    std::uint32_t id = window->handle;
    std::vector<std::uint32_t>& siblings =
        window->parent ? windows.at(window->parent).children : topLevel;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
    windows.erase(id);
}

Window* Desktop::Find(HWND window) {
    auto it = windows.find(FromHwnd(window));
    // Window handles are 32-bit values: a handle with higher bits set names no window.
    if (reinterpret_cast<std::uintptr_t>(window) > 0xFFFFFFFFu) return nullptr;
    return it == windows.end() ? nullptr : &it->second;
}

ListView& Desktop::List(HWND window) { return *Find(window)->list; }

Process& Desktop::Owner(HWND window) { return processes.at(Find(window)->processId); }

std::size_t Desktop::LiveBlocks() const {
    std::size_t n = 0;
    for (const auto& process : processes) n += process.second.blocks.size();
    return n;
}

} // namespace sim

using sim::g_desktop;

void InitCommonControls() {}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    return sim::Enumerate(g_desktop->topLevel, callback, value, false) ? TRUE : FALSE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM value) {
    sim::Window* window = g_desktop->Find(parent);
    if (!window) return FALSE;
    return sim::Enumerate(window->children, callback, value, true) ? TRUE : FALSE;
}

int GetWindowTextA(HWND handle, LPSTR buffer, int capacity) {
    sim::Window* window = g_desktop->Find(handle);
    if (window && window->failTitleQuery) return 0;
    if (!window) {
        if (buffer && capacity > 0) buffer[0] = '\0';
        return 0;
    }
    return sim::CopyName(window->title, buffer, capacity);
}

int GetClassNameA(HWND handle, LPSTR buffer, int capacity) {
    sim::Window* window = g_desktop->Find(handle);
    if (!window || window->failClassQuery) return 0;
    return sim::CopyName(window->className, buffer, capacity);
}

DWORD GetWindowThreadProcessId(HWND handle, LPDWORD processId) {
    sim::Window* window = g_desktop->Find(handle);
    if (processId) *processId = window ? window->processId : 0;
    return window ? window->threadId : 0;
}

LRESULT SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    sim::Window* window = g_desktop->Find(handle);
    if (!window || !window->list) return 0;
    if (message == LVM_GETITEMCOUNT) {
        ++g_desktop->countMessages;
        const sim::ListView& list = *window->list;
        return list.itemCount ? *list.itemCount : static_cast<LRESULT>(list.rows.size());
    }
    if (message != LVM_GETITEMA) return 0;
    if (wParam != 0) sim::Fault("item message sent with a non-zero wParam");
    ++g_desktop->itemMessages;
    LRESULT answer = sim::AnswerItem(*window, lParam);
    sim::ListView& list = *window->list;
    if (list.destroyAfterItemMessages > 0 && --list.destroyAfterItemMessages == 0)
        g_desktop->Destroy(handle);
    return answer;
}

HANDLE GetCurrentProcess() { return sim::kCurrentProcess; }

HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId) {
    ++g_desktop->processOpens;
    auto it = g_desktop->processes.find(processId);
    if (processId == 0 || it == g_desktop->processes.end()) return nullptr;
    if (inherit) sim::Fault("process handle opened as inheritable");
    if (access & it->second.deniedAccess) return nullptr;
    std::uintptr_t handle = sim::g_nextProcessHandle;
    sim::g_nextProcessHandle += 4;
    g_desktop->openHandles[handle] = {processId, access};
    return reinterpret_cast<HANDLE>(handle);
}

BOOL IsWow64Process(HANDLE handle, PBOOL wow64) {
    if (!wow64) return FALSE;
    if (handle == sim::kCurrentProcess) {
        *wow64 = sizeof(void*) == 4 ? TRUE : FALSE;
        return TRUE;
    }
    sim::Access access = sim::Lookup(handle);
    if (!access.process || !(access.rights & PROCESS_QUERY_LIMITED_INFORMATION) ||
        access.process->failWidthQuery)
        return FALSE;
    *wow64 = access.process->is64bit ? FALSE : TRUE;
    return TRUE;
}

LPVOID VirtualAllocEx(HANDLE handle, LPVOID address, SIZE_T size, DWORD type, DWORD protect) {
    sim::Access access = sim::Lookup(handle);
    if (!access.process || !(access.rights & PROCESS_VM_OPERATION)) return nullptr;
    if (address || type != (MEM_COMMIT | MEM_RESERVE) || protect != PAGE_READWRITE || size == 0) {
        sim::Fault("unexpected allocation request");
        return nullptr;
    }
    sim::Process& process = *access.process;
    if (process.failAllocation.Trip()) return nullptr;
    // The lowest free range on a 64 KiB boundary, as the real allocator hands out.
    const std::uint64_t granule = 0x10000;
    std::uint64_t base = process.firstAddress;
    for (const auto& block : process.blocks) {
        if (block.first >= base + size) break;
        std::uint64_t end = block.first + block.second.size();
        base = std::max(base, (end + granule - 1) / granule * granule);
    }
    process.blocks[base].assign(size, 0);
    return reinterpret_cast<LPVOID>(static_cast<std::uintptr_t>(base));
}

BOOL WriteProcessMemory(HANDLE handle, LPVOID address, LPCVOID source, SIZE_T size,
                        SIZE_T* written) {
    if (written) *written = 0;
    sim::Access access = sim::Lookup(handle);
    if (!access.process || !(access.rights & PROCESS_VM_WRITE) ||
        !(access.rights & PROCESS_VM_OPERATION))
        return FALSE;
    std::uint64_t at = 0;
    auto* block = sim::Span(*access.process, reinterpret_cast<std::uintptr_t>(address), size, &at);
    if (!block) return FALSE;
    std::memcpy(block->data() + at, source, size);
    if (written) *written = size;
    return TRUE;
}

BOOL ReadProcessMemory(HANDLE handle, LPCVOID address, LPVOID destination, SIZE_T size,
                       SIZE_T* read) {
    if (read) *read = 0;
    sim::Access access = sim::Lookup(handle);
    if (!access.process || !(access.rights & PROCESS_VM_READ)) return FALSE;
    std::uint64_t at = 0;
    auto* block = sim::Span(*access.process, reinterpret_cast<std::uintptr_t>(address), size, &at);
    if (!block) return FALSE;
    std::memcpy(destination, block->data() + at, size);
    if (read) *read = size;
    return TRUE;
}

BOOL VirtualFreeEx(HANDLE handle, LPVOID address, SIZE_T size, DWORD type) {
    sim::Access access = sim::Lookup(handle);
    if (!access.process || !(access.rights & PROCESS_VM_OPERATION)) return FALSE;
    if (size != 0 || type != MEM_RELEASE) {
        sim::Fault("block released with a size or a type other than MEM_RELEASE");
        return FALSE;
    }
    if (access.process->blocks.erase(reinterpret_cast<std::uintptr_t>(address)) == 0) {
        sim::Fault("release of an address that is no block");
        return FALSE;
    }
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    if (g_desktop->openHandles.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0) {
        sim::Fault("close of a handle that is not open");
        return FALSE;
    }
    return TRUE;
}
