#include <windows.h>

#include "shell/program_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  return kv::RunProgram(instance, show);
}
