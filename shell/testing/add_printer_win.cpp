// kelvane_add_printer: installs the test printer (shell/testing/test_printer.h)
// in the current Wine prefix and makes it the default printer.
//
//   kelvane_add_printer.exe PPD_FILE
//
// PPD_FILE is the printer description to install (a Windows path; Z: is the
// Unix root). scripts/wine-env.sh runs this once while it makes a prefix; a
// second run changes nothing but the description's copy, so an interrupted
// set-up can simply be run again. Exit code 0 once the printer is the
// default; otherwise 1, with the reason on standard error.
#include <windows.h>
#include <winspool.h>

#include <cstring>

#include "shell/testing/test_printer.h"

namespace {

using kv::wintest::kTestPrinterName;
using kv::wintest::kTestPrinterPpd;

constexpr DWORD kPathSize = MAX_PATH;
// The driver files of a version 3 driver sit in this subfolder of the
// driver directory.
constexpr char kVersionFolder[] = "\\3\\";

// There is no window to show anything in; the caller logs standard error.
int Fail(const char* what) {
  char line[300];
  wsprintfA(line, "kelvane_add_printer: %s (error %lu)\r\n", what, GetLastError());
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, lstrlenA(line), &written, nullptr);
  return 1;
}

// The argument, blanks and one pair of quotes taken off.
bool ReadPpdArgument(const char* commandLine, char* out, std::size_t size) {
  while (*commandLine == ' ' || *commandLine == '\t') ++commandLine;
  std::size_t length = std::strlen(commandLine);
  while (length > 0 && (commandLine[length - 1] == ' ' || commandLine[length - 1] == '\t')) --length;
  if (length >= 2 && commandLine[0] == '"' && commandLine[length - 1] == '"') {
    ++commandLine;
    length -= 2;
  }
  if (length == 0 || length >= size) return false;
  std::memcpy(out, commandLine, length);
  out[length] = '\0';
  return true;
}

// Puts the description where the spooler looks for a version 3 driver's
// data file; a newer one replaces an older one.
bool CopyPpd(const char* source) {
  char target[kPathSize];
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(target), sizeof target, &needed))
    return false;
  std::size_t length = std::strlen(target);
  if (length + sizeof kVersionFolder + sizeof kTestPrinterPpd > sizeof target) {
    SetLastError(ERROR_BUFFER_OVERFLOW);
    return false;
  }
  std::strcat(target, kVersionFolder);
  CreateDirectoryA(target, nullptr);  // usually there already
  std::strcat(target, kTestPrinterPpd);
  return CopyFileA(source, target, FALSE) != FALSE;
}

bool AddDriver() {
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kTestPrinterName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(kTestPrinterPpd);
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) return true;
  return GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
}

bool AddTestPrinter() {
  PRINTER_INFO_2A printer = {};
  printer.pPrinterName = const_cast<char*>(kTestPrinterName);
  printer.pPortName = const_cast<char*>("FILE:");
  printer.pDriverName = const_cast<char*>(kTestPrinterName);
  printer.pPrintProcessor = const_cast<char*>("winprint");
  printer.pDatatype = const_cast<char*>("RAW");
  HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (added) {
    ClosePrinter(added);
    return true;
  }
  return GetLastError() == ERROR_PRINTER_ALREADY_EXISTS;
}

bool IsDefault() {
  char name[kPathSize];
  DWORD size = sizeof name;
  return GetDefaultPrinterA(name, &size) && std::strcmp(name, kTestPrinterName) == 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  char ppd[kPathSize];
  if (!ReadPpdArgument(commandLine, ppd, sizeof ppd)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return Fail("usage: kelvane_add_printer PPD_FILE");
  }
  if (!CopyPpd(ppd)) return Fail("could not copy the printer description");
  if (!AddDriver()) return Fail("AddPrinterDriver failed");
  if (!AddTestPrinter()) return Fail("AddPrinter failed");
  if (!SetDefaultPrinterA(kTestPrinterName)) return Fail("SetDefaultPrinter failed");
  if (!IsDefault()) return Fail("the test printer did not become the default");
  return 0;
}
