// The page set-up record the main window keeps for printing: filled for the
// default printer (the prefix's test printer) at start-up without any box,
// and still usable by the Page Setup command and for a printer DC.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "shell/testing/test_printer.h"

namespace kv {
namespace {

using wintest::DeviceNames;
using wintest::kTestPrinterName;
using wintest::ReadDeviceNames;
using wintest::ModalScript;

constexpr LONG kStartMargin = 1000;

// A printer DC made from the record alone, as printing makes it.
bool RecordMakesPrinterDc(const PAGESETUPDLGA& setup) {
  DeviceNames names = ReadDeviceNames(setup.hDevNames);
  const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(setup.hDevMode));
  HDC dc = CreateDCA(names.driver.c_str(), names.device.c_str(), nullptr, mode);
  GlobalUnlock(setup.hDevMode);
  if (!dc) return false;
  bool usable = GetDeviceCaps(dc, HORZRES) > 0 && GetDeviceCaps(dc, VERTRES) > 0 &&
                GetDeviceCaps(dc, LOGPIXELSY) == wintest::kTestPrinterDpi;
  DeleteDC(dc);
  return usable;
}

void ExpectStartMargins(const PAGESETUPDLGA& setup) {
  EXPECT_EQ(kStartMargin, setup.rtMargin.left);
  EXPECT_EQ(kStartMargin, setup.rtMargin.top);
  EXPECT_EQ(kStartMargin, setup.rtMargin.right);
  EXPECT_EQ(kStartMargin, setup.rtMargin.bottom);
}

class PrintSetup : public wintest::ProgramTest {};

// Takes the prefix's default printer away while it lives: the user's
// "device" entry is all that names it. Put back on destruction, and by
// Restore() as soon as the test no longer needs it gone.
class NoDefaultPrinter {
 public:
  NoDefaultPrinter() {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) != ERROR_SUCCESS) return;
    DWORD size = sizeof saved_;
    if (RegQueryValueExA(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(saved_), &size) != ERROR_SUCCESS)
      return;
    saved_size_ = size;
    removed_ = RegDeleteValueA(key_, kValue) == ERROR_SUCCESS;
  }
  ~NoDefaultPrinter() {
    Restore();
    if (key_) RegCloseKey(key_);
  }
  NoDefaultPrinter(const NoDefaultPrinter&) = delete;
  NoDefaultPrinter& operator=(const NoDefaultPrinter&) = delete;

  bool Removed() const { return removed_; }
  void Restore() {
    if (!removed_) return;
    RegSetValueExA(key_, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_), saved_size_);
    removed_ = false;
  }

 private:
  static constexpr char kKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
  static constexpr char kValue[] = "device";
  HKEY key_ = nullptr;
  char saved_[MAX_PATH] = {};
  DWORD saved_size_ = 0;
  bool removed_ = false;
};

TEST_F(PrintSetup, StartUpTakesTheDefaultPrinterWithoutAnyBox) {
  ModalScript script;  // no steps: a box during start-up is a failure
  bool checked = false;
  Run([&](HWND main) {
    checked = true;
    const PAGESETUPDLGA& setup = Windows().page_setup;
    EXPECT_EQ(sizeof(PAGESETUPDLGA), setup.lStructSize);
    EXPECT_EQ(main, setup.hwndOwner);
    ExpectStartMargins(setup);
    ASSERT_NE(nullptr, setup.hDevNames);
    ASSERT_NE(nullptr, setup.hDevMode);
    DeviceNames names = ReadDeviceNames(setup.hDevNames);
    EXPECT_EQ(kTestPrinterName, names.device);
    EXPECT_EQ("FILE:", names.output);
    EXPECT_TRUE(RecordMakesPrinterDc(setup));
  });
  EXPECT_TRUE(checked);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  EXPECT_TRUE(script.Seen().empty()) << script.Describe();
}

// Without any default printer the start-up goes on without a box, and the
// record keeps its margins for a Page Setup once a printer is there.
TEST_F(PrintSetup, StartUpWithoutAPrinterShowsNoBox) {
  NoDefaultPrinter gone;
  ASSERT_TRUE(gone.Removed());
  ModalScript script;
  bool checked = false;
  Run([&](HWND main) {
    gone.Restore();
    checked = true;
    const PAGESETUPDLGA& setup = Windows().page_setup;
    EXPECT_EQ(sizeof(PAGESETUPDLGA), setup.lStructSize);
    EXPECT_EQ(main, setup.hwndOwner);
    ExpectStartMargins(setup);
    EXPECT_EQ(nullptr, setup.hDevNames);
    EXPECT_EQ(nullptr, setup.hDevMode);
  });
  EXPECT_TRUE(checked) << "the start-up stopped";
  EXPECT_TRUE(script.Ok()) << script.Describe();
  EXPECT_TRUE(script.Seen().empty()) << script.Describe();
}

// The Page Setup command opens on the record and, confirmed, leaves it
// naming the same printer with the same margins.
TEST_F(PrintSetup, PageSetupCommandKeepsTheRecordUsable) {
  Run([&](HWND main) {
    ModalScript script;
    std::string shown_margin;
    script.OnDialog([&](HWND dialog) {
      char text[32] = {};
      GetDlgItemTextA(dialog, edt4, text, sizeof text);  // the left margin
      shown_margin = text;
      wintest::ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_PAGE_SETUP, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(1u, script.Seen().size());
    EXPECT_EQ(main, script.Seen()[0].owner);
    // The start margins in the locale's unit: one inch where it is inches.
    char measure[2] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, sizeof measure);
    if (measure[0] == '1') {
      EXPECT_EQ("1", shown_margin);
    }

    const PAGESETUPDLGA& setup = Windows().page_setup;
    EXPECT_EQ(main, setup.hwndOwner);
    ExpectStartMargins(setup);
    EXPECT_EQ(kTestPrinterName, ReadDeviceNames(setup.hDevNames).device);
    EXPECT_TRUE(RecordMakesPrinterDc(setup));
  });
}

}  // namespace
}  // namespace kv
