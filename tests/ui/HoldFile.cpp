// Holds a file open without sharing, as another program can: writes one byte to
// its output once the file is open, and closes it when its input ends.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD count = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "1", 1, &count, nullptr);
  char byte;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, nullptr) && count > 0) {
  }
  CloseHandle(file);
  return 0;
}
