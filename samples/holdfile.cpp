// holdfile: holds a file open the way another program would while it reads
// it, letting others read but not write, for lvdump's end-to-end test of a
// report it cannot recreate. Once the file is open it prints "READY" on
// standard output and holds it until standard input ends.
//
// Usage: holdfile FILE
// Exit status: 0 after standard input ended, 1 when FILE cannot be opened
// (it must exist), 2 for a wrong command line.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: holdfile FILE\n");
    return 2;
  }
  // Sharing for reading only: any open that asks to write, or to delete, is
  // refused with a sharing violation while this handle lives.
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "holdfile: cannot open '%s' (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  std::printf("READY\n");
  std::fflush(stdout);

  // A failed read counts as the end of the input.
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0) {
  }
  CloseHandle(file);
  return 0;
}
