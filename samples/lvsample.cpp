// lvsample: a Win32 program that opens top-level windows holding real report
// list views with known contents (sample_content.h), for lvdump's end-to-end
// tests and benchmarks. Once every window exists it prints one line per window,
// list and button ("<kind> <name> <handle in decimal>") and then "READY" on
// standard output, and serves its windows until standard input ends, a line
// "quit" arrives, or the main window is closed.
//
// Usage: lvsample [--large]
//   --large  also create the large set (one list of 20,000 rows x 8 columns,
//            300 windows with 3 lists each) after the standard set.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "sample_content.h"

namespace {

constexpr char kWindowClass[] = "LvSampleWindow";

HWND g_main = nullptr;  // closing it ends the program

struct Options {
  bool large = false;
};

// Returns false (after a message on standard error) for an unknown argument.
bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--large") == 0) {
      options->large = true;
    } else {
      std::fprintf(stderr, "lvsample: unknown argument '%s'\nusage: lvsample [--large]\n", argv[i]);
      return false;
    }
  }
  return true;
}

// Handles are shown as lvdump reads them: the low 32 bits, unsigned.
void Announce(const char* kind, const std::string& name, HWND window) {
  std::printf("%s %s %lu\n", kind, name.c_str(),
              static_cast<unsigned long>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window))));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY && window == g_main) PostQuitMessage(0);
  return DefWindowProcA(window, message, wparam, lparam);
}

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  return RegisterClassExA(&window_class) != 0;
}

HWND CreateTopLevel(HINSTANCE instance, const char* title, int x, int y, int width, int height) {
  return CreateWindowExA(0, kWindowClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height,
                         nullptr, nullptr, instance, nullptr);
}

HWND CreateList(HINSTANCE instance, HWND parent, int x, int y, int width, int height) {
  return CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                         WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, x, y, width, height, parent,
                         nullptr, instance, nullptr);
}

void AddColumns(HWND list, const char* const* titles, int count) {
  for (int c = 0; c < count; ++c) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = 120;
    column.pszText = const_cast<char*>(titles[c]);
    column.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
}

// Appends row `row` with `count` cells; cell c goes to column c.
void AddRow(HWND list, int row, const std::string* cells, int count) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(cells[0].c_str());
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  for (int c = 1; c < count; ++c) {
    LVITEMA sub = {};
    sub.iSubItem = c;
    sub.pszText = const_cast<char*>(cells[c].c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
  }
}

template <std::size_t Rows, std::size_t Columns>
void AddTable(HWND list, const char* const (&table)[Rows][Columns]) {
  for (std::size_t r = 0; r < Rows; ++r) {
    std::string cells[Columns];
    for (std::size_t c = 0; c < Columns; ++c) cells[c] = table[r][c];
    AddRow(list, static_cast<int>(r), cells, static_cast<int>(Columns));
  }
}

// Fills `rows` rows of `columns` cells (at most kLargeColumns) from
// cell(row, column), without repainting after every item.
template <typename CellFn>
void AddGenerated(HWND list, int rows, int columns, CellFn cell) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  std::string cells[lvsample::kLargeColumns];
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) cells[c] = cell(r, c);
    AddRow(list, r, cells, columns);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// A button, a static text or another simple control of the system's classes.
HWND CreateControl(HINSTANCE instance, HWND parent, const char* class_name, const char* text, DWORD style, int x,
                   int y) {
  return CreateWindowExA(0, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, 160, 28, parent, nullptr,
                         instance, nullptr);
}

// A child dialog (class "#32770") built from an in-memory template without
// controls; the nested list is then created inside it.
HWND CreateChildDialog(HINSTANCE instance, HWND parent) {
  struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, window_class, title;
  } dialog_template = {};
  dialog_template.dialog.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
  dialog_template.dialog.x = 4;
  dialog_template.dialog.y = 4;
  dialog_template.dialog.cx = 300;
  dialog_template.dialog.cy = 120;
  return CreateDialogIndirectParamA(instance, &dialog_template.dialog, parent, DialogProc, 0);
}

bool CreateStandardSet(HINSTANCE instance) {
  using namespace lvsample;

  HWND main = CreateTopLevel(instance, kMainTitle, 10, 10, 520, 260);
  HWND japanese = CreateList(instance, main, 8, 8, 380, 200);
  AddColumns(japanese, kJapaneseColumns, 3);
  AddTable(japanese, kJapaneseCells);
  HWND refresh = CreateControl(instance, main, "BUTTON", kButtonText, BS_PUSHBUTTON, 396, 8);
  g_main = main;
  Announce("window", "main", main);
  Announce("list", "japanese", japanese);
  Announce("button", "refresh", refresh);

  HWND untitled = CreateTopLevel(instance, "", 40, 40, 520, 260);
  HWND untitled_a = CreateList(instance, untitled, 8, 8, 240, 200);
  AddColumns(untitled_a, kUntitledAColumns, 2);
  AddTable(untitled_a, kUntitledCells);
  HWND empty = CreateList(instance, untitled, 256, 8, 240, 200);
  AddColumns(empty, kEmptyColumns, 1);
  Announce("window", "untitled", untitled);
  Announce("list", "untitled_a", untitled_a);
  Announce("list", "empty", empty);

  HWND dialog_window = CreateTopLevel(instance, kDialogTitle, 70, 70, 520, 300);
  HWND host = CreateChildDialog(instance, dialog_window);
  if (!host) return false;
  HWND nested = CreateList(instance, host, 8, 8, 380, 160);
  AddColumns(nested, kNestedColumns, 2);
  AddTable(nested, kNestedCells);
  Announce("window", "dialog", dialog_window);
  Announce("dialog", "host", host);
  Announce("list", "nested", nested);

  const std::string long_title = std::string(kLongTitleKept) + kLongTitleCut;
  HWND long_window = CreateTopLevel(instance, long_title.c_str(), 100, 100, 520, 260);
  HWND long_cells = CreateList(instance, long_window, 8, 8, 480, 200);
  AddColumns(long_cells, kLongColumns, 2);
  for (int k = 1; k <= 3; ++k) {
    const std::string cells[] = {LongCell(k, kLongCellLengths[k - 1]), kLongSecondColumn[k - 1]};
    AddRow(long_cells, k - 1, cells, 2);
  }
  Announce("window", "longtitle", long_window);
  Announce("list", "long_cells", long_cells);

  HWND many_window = CreateTopLevel(instance, kManyTitle, 130, 130, 520, 300);
  HWND many = CreateList(instance, many_window, 8, 8, 480, 240);
  AddColumns(many, kManyColumns, 3);
  AddGenerated(many, kManyRows, 3, ManyCell);
  Announce("window", "many_window", many_window);
  Announce("list", "many", many);

  HWND nolist = CreateTopLevel(instance, kNoListTitle, 160, 160, 360, 120);
  CreateControl(instance, nolist, "STATIC", kNoListText, 0, 8, 8);
  Announce("window", "nolist", nolist);

  HWND stale = CreateTopLevel(instance, kStaleTitle, 0, 0, 100, 100);
  Announce("gone", "stale", stale);
  DestroyWindow(stale);

  for (HWND window : {main, untitled, dialog_window, long_window, many_window, nolist}) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
  }
  return main && japanese && refresh && untitled && untitled_a && empty && dialog_window && nested &&
         long_window && long_cells && many_window && many && nolist && stale;
}

bool CreateLargeSet(HINSTANCE instance) {
  using namespace lvsample;
  static constexpr const char* kColumnTitles[kLargeColumns] = {"列0", "列1", "列2", "列3",
                                                               "列4", "列5", "列6", "列7"};

  HWND large_window = CreateTopLevel(instance, kLargeTitle, 190, 190, 640, 400);
  HWND large = CreateList(instance, large_window, 8, 8, 600, 340);
  if (!large_window || !large) return false;
  AddColumns(large, kColumnTitles, kLargeColumns);
  AddGenerated(large, kLargeRows, kLargeColumns, LargeCell);
  Announce("window", "large_window", large_window);
  Announce("list", "large", large);
  ShowWindow(large_window, SW_SHOWNOACTIVATE);

  for (int w = 0; w < kBulkWindows; ++w) {
    char name[32];
    std::snprintf(name, sizeof name, "一括窓%03d", w);
    HWND bulk = CreateTopLevel(instance, name, 220 + w % 50, 220 + w % 50, 400, 200);
    if (!bulk) return false;
    std::snprintf(name, sizeof name, "bulk%03d", w);
    Announce("window", name, bulk);
    for (int l = 0; l < kBulkListsPerWindow; ++l) {
      HWND list = CreateList(instance, bulk, 8 + l * 128, 8, 120, 150);
      if (!list) return false;
      AddColumns(list, kColumnTitles, 2);
      AddGenerated(list, kBulkRows, 2, LargeCell);
      std::snprintf(name, sizeof name, "bulk%03d_%d", w, l);
      Announce("list", name, list);
    }
    ShowWindow(bulk, SW_SHOWNOACTIVATE);
  }
  return true;
}

// Reads standard input until it ends or a line "quit" arrives, then asks the
// main window to close. A failed read counts as the end.
DWORD WINAPI WatchStandardInput(void*) {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::string line;
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    for (DWORD i = 0; i < got; ++i) {
      if (buffer[i] != '\n') {
        line += buffer[i];
        continue;
      }
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line == "quit") {
        PostMessageA(g_main, WM_CLOSE, 0, 0);
        return 0;
      }
      line.clear();
    }
  }
  PostMessageA(g_main, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) return 2;

  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance) || !CreateStandardSet(instance) ||
      (options.large && !CreateLargeSet(instance))) {
    std::fflush(stdout);
    std::fprintf(stderr, "lvsample: creating the windows failed (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("READY\n");
  std::fflush(stdout);

  HANDLE watcher = CreateThread(nullptr, 0, WatchStandardInput, nullptr, 0, nullptr);
  if (watcher) CloseHandle(watcher);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
