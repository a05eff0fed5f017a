// The printer every prefix made by scripts/wine-env.sh has: Wine's PostScript
// driver on the FILE: port, described by shell/testing/test_printer.ppd. It
// is the default printer there, so the program's page set-up and printing
// can be tested without a spooler or a daemon.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace kv::wintest {

// The printer, its driver and its description file are all named alike:
// Wine's page set-up dialog fails on a printer whose driver has another name.
inline constexpr char kTestPrinterName[] = "Kelvane Test Printer";
inline constexpr char kTestPrinterPpd[] = "Kelvane Test Printer.ppd";

// What the description sets, which a printer DC reports back.
inline constexpr int kTestPrinterDpi = 300;
inline constexpr int kTestPrinterPageWidth = 2550;   // Letter, 8.5 in
inline constexpr int kTestPrinterPageHeight = 3300;  // 11 in

// The names in a DEVNAMES block, as printing and the page set-up keep them.
struct DeviceNames {
  std::string driver, device, output;
};

inline DeviceNames ReadDeviceNames(HGLOBAL handle) {
  DeviceNames names;
  const auto* block = static_cast<const DEVNAMES*>(GlobalLock(handle));
  if (!block) return names;
  const char* base = reinterpret_cast<const char*>(block);
  names.driver = base + block->wDriverOffset;
  names.device = base + block->wDeviceOffset;
  names.output = base + block->wOutputOffset;
  GlobalUnlock(handle);
  return names;
}

}  // namespace kv::wintest
