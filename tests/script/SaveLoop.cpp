// save_loop.exe <target>: once a byte arrives on its input, saves two documents in turn over
// target for ever, writing one byte to its output after each save, until it is killed (or its
// output closes). Started ahead of time, it is ready to save the moment it is told to.
#include "SaveLoop.h"

#include <windows.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  char go;
  DWORD got = 0;
  if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), &go, 1, &got, nullptr) || !got) return 1;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  orv::test::SaveInTurnForever(argv[1], [out] {
    DWORD wrote = 0;
    return WriteFile(out, "s", 1, &wrote, nullptr) && wrote == 1;
  });
  return 0;
}
