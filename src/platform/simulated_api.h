// Our own declarations of the Win32 names the tool uses, for builds that are
// not Windows. They are served by the simulated desktop (simulated_desktop.h),
// which the native tests build window by window.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef std::uint32_t DWORD;
typedef DWORD* LPDWORD;
typedef BOOL* PBOOL;
typedef char* LPSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HANDLE;
typedef std::size_t SIZE_T;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef struct HWND__* HWND;

#define CALLBACK
#define WINAPI

typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr UINT LVM_GETITEMCOUNT = 0x1004;
constexpr UINT LVM_GETITEMA = 0x1005;
constexpr UINT LVIF_TEXT = 0x0001;

constexpr DWORD PROCESS_VM_OPERATION = 0x0008;
constexpr DWORD PROCESS_VM_READ = 0x0010;
constexpr DWORD PROCESS_VM_WRITE = 0x0020;
constexpr DWORD PROCESS_QUERY_LIMITED_INFORMATION = 0x1000;

constexpr DWORD MEM_COMMIT = 0x1000;
constexpr DWORD MEM_RESERVE = 0x2000;
constexpr DWORD MEM_RELEASE = 0x8000;
constexpr DWORD PAGE_READWRITE = 0x04;

// The item record as a process of this build's own pointer width lays it out.
struct LVITEMA {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
    int iGroupId;
    UINT cColumns;
    UINT* puColumns;
    int* piColFmt;
    int iGroup;
};

void InitCommonControls();

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM value);
int GetWindowTextA(HWND window, LPSTR buffer, int capacity);
int GetClassNameA(HWND window, LPSTR buffer, int capacity);
DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HANDLE GetCurrentProcess();
HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId);
BOOL IsWow64Process(HANDLE process, PBOOL wow64);
LPVOID VirtualAllocEx(HANDLE process, LPVOID address, SIZE_T size, DWORD type, DWORD protect);
BOOL WriteProcessMemory(HANDLE process, LPVOID address, LPCVOID source, SIZE_T size,
                        SIZE_T* written);
BOOL ReadProcessMemory(HANDLE process, LPCVOID address, LPVOID destination, SIZE_T size,
                       SIZE_T* read);
BOOL VirtualFreeEx(HANDLE process, LPVOID address, SIZE_T size, DWORD type);
BOOL CloseHandle(HANDLE handle);
