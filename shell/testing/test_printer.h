// The printer every prefix made by scripts/wine-env.sh has: Wine's PostScript
// driver on the FILE: port, described by shell/testing/test_printer.ppd. It
// is the default printer there, so the program's page set-up and printing
// can be tested without a spooler or a daemon.
#pragma once

namespace kv::wintest {

// The printer, its driver and its description file are all named alike:
// Wine's page set-up dialog fails on a printer whose driver has another name.
inline constexpr char kTestPrinterName[] = "Kelvane Test Printer";
inline constexpr char kTestPrinterPpd[] = "Kelvane Test Printer.ppd";

// What the description sets, which a printer DC reports back.
inline constexpr int kTestPrinterDpi = 300;
inline constexpr int kTestPrinterPageWidth = 2550;   // Letter, 8.5 in
inline constexpr int kTestPrinterPageHeight = 3300;  // 11 in

}  // namespace kv::wintest
