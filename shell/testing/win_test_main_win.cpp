// Entry point of kelvane_win_tests, the GoogleTest program that drives the
// program's real windows in-process under Wine (or Windows).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // A crash must end the test process with a failure, never wait on a
  // system error box that nobody will close.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);

  // The program registers the common controls at start-up; so do its tests,
  // or its dialogs with toolbars, status bars or list views fail to open.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
