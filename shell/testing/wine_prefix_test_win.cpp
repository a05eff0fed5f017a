// What the prefix made by scripts/wine-env.sh gives the program: the test
// printer, which prints PostScript to a file, and the free fonts standing in
// for the ones the program asks for by name.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "resources/resource_ids.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/test_printer.h"

namespace kv {
namespace {

using wintest::DeviceNames;
using wintest::kTestPrinterName;
using wintest::ReadDeviceNames;
using wintest::ModalScript;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::size_t CountOf(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

std::string DeviceModeName(HGLOBAL handle) {
  const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(handle));
  if (!mode) return {};
  std::string name(reinterpret_cast<const char*>(mode->dmDeviceName),
                   strnlen(reinterpret_cast<const char*>(mode->dmDeviceName), CCHDEVICENAME));
  GlobalUnlock(handle);
  return name;
}

TEST(TestPrinter, IsTheDefaultForThePageSetupWithoutAnyBox) {
  ModalScript script;  // no steps: any box that turns up is a failure
  PAGESETUPDLGA setup = {};
  setup.lStructSize = sizeof setup;
  setup.Flags = PSD_RETURNDEFAULT | PSD_NOWARNING;
  ASSERT_TRUE(PageSetupDlgA(&setup)) << "error " << CommDlgExtendedError();
  EXPECT_TRUE(script.Ok()) << script.Describe();
  EXPECT_TRUE(script.Seen().empty());

  ASSERT_NE(nullptr, setup.hDevNames);
  ASSERT_NE(nullptr, setup.hDevMode);
  DeviceNames names = ReadDeviceNames(setup.hDevNames);
  EXPECT_EQ(kTestPrinterName, names.device);
  EXPECT_EQ("FILE:", names.output);
  EXPECT_EQ(kTestPrinterName, DeviceModeName(setup.hDevMode));
  // The paper of our description (Letter), in whichever unit was reported.
  if (setup.Flags & PSD_INTHOUSANDTHSOFINCHES) {
    EXPECT_EQ(8500, setup.ptPaperSize.x);
    EXPECT_EQ(11000, setup.ptPaperSize.y);
  } else {
    EXPECT_EQ(21590, setup.ptPaperSize.x);
    EXPECT_EQ(27940, setup.ptPaperSize.y);
  }
  GlobalFree(setup.hDevNames);
  GlobalFree(setup.hDevMode);
}

// A folder of its own under the build folder (a Z: path, as a user's would
// be outside the prefix), removed with what the test wrote there.
class PrintToFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::string(KELVANE_BINARY_DIR) + "\\print-test-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    DeleteFileA(Output().c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  std::string Output() const { return dir_ + "\\page.ps"; }

  std::string dir_;
};

TEST_F(PrintToFile, OnePageOfPostScriptFromTheDescribedDevice) {
  HDC dc = CreateDCA("WINSPOOL", kTestPrinterName, nullptr, nullptr);
  ASSERT_NE(nullptr, dc);
  // Our description's paper and resolution, so it is the one in use.
  EXPECT_EQ(wintest::kTestPrinterDpi, GetDeviceCaps(dc, LOGPIXELSX));
  EXPECT_EQ(wintest::kTestPrinterDpi, GetDeviceCaps(dc, LOGPIXELSY));
  EXPECT_EQ(wintest::kTestPrinterPageWidth, GetDeviceCaps(dc, PHYSICALWIDTH));
  EXPECT_EQ(wintest::kTestPrinterPageHeight, GetDeviceCaps(dc, PHYSICALHEIGHT));
  EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
  EXPECT_LE(GetDeviceCaps(dc, HORZRES), wintest::kTestPrinterPageWidth);

  std::string output = Output();
  DOCINFOA doc = {};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = "Kelvane95 test page";
  doc.lpszOutput = output.c_str();
  ASSERT_GT(StartDocA(dc, &doc), 0) << "error " << GetLastError();
  ASSERT_GT(StartPage(dc), 0);
  HFONT font = CreateFontA(-MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                           ANSI_CHARSET, 0, 0, 0, 0, "Times New Roman");
  HGDIOBJ old = SelectObject(dc, font);
  const char line[] = "In the beginning God created the heaven and the earth.";
  EXPECT_TRUE(TextOutA(dc, 300, 300, line, static_cast<int>(std::strlen(line))));
  SelectObject(dc, old);
  DeleteObject(font);
  EXPECT_GT(EndPage(dc), 0);
  EXPECT_GT(EndDoc(dc), 0);
  DeleteDC(dc);

  std::string written = ReadFile(output);
  ASSERT_FALSE(written.empty()) << output;
  EXPECT_EQ(0u, written.rfind("%!PS", 0)) << written.substr(0, 40);
  EXPECT_EQ(1u, CountOf(written, "%%Page: ")) << "one page, no more";
  EXPECT_NE(std::string::npos, written.find("%%EOF"));
  EXPECT_NE(std::string::npos, written.find("Kelvane95 test page")) << "the document's title";
}

// A family the program or Wine asks for by name, the free font that must
// stand in for it, and what kind of face both are.
enum class Kind { Serif, Sans, Monospace };

struct StandIn {
  const char* requested;
  const char* font;
  Kind kind;
};

const StandIn kStandIns[] = {
    {"Times New Roman", "Liberation Serif", Kind::Serif},  // passage and verse list
    {"Courier New", "Liberation Mono", Kind::Monospace},   // notes
    {"Arial", "Liberation Sans", Kind::Sans},
    {"MS Sans Serif", "Tahoma", Kind::Sans},  // every dialog template
};

const int kPixelHeights[] = {-11, -13, -16, -21, -32};
const char kSample[] = "And God said, Let there be light: and there was light. (Ge 1:3)";

int CALLBACK NoteFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found) {
  auto* wanted = reinterpret_cast<std::pair<const char*, bool>*>(found);
  if (lstrcmpiA(font->lfFaceName, wanted->first) == 0) wanted->second = true;
  return 1;
}

// Installed under that very name (not merely replaced by something else).
bool IsInstalled(HDC dc, const char* family) {
  LOGFONTA wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, family, LF_FACESIZE);
  std::pair<const char*, bool> found{family, false};
  EnumFontFamiliesExA(dc, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found.second;
}

// What a face measures at one height.
struct Measure {
  TEXTMETRICA metrics = {};
  SIZE sample = {};
  int narrow = 0;  // width of "i"
  int wide = 0;    // width of "W"
};

Measure MeasureFont(HDC dc, const char* family, int height) {
  Measure measure;
  HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family);
  HGDIOBJ old = SelectObject(dc, font);
  GetTextMetricsA(dc, &measure.metrics);
  GetTextExtentPoint32A(dc, kSample, static_cast<int>(std::strlen(kSample)), &measure.sample);
  GetCharWidth32A(dc, 'i', 'i', &measure.narrow);
  GetCharWidth32A(dc, 'W', 'W', &measure.wide);
  SelectObject(dc, old);
  DeleteObject(font);
  return measure;
}

class PrefixFonts : public ::testing::Test {
 protected:
  void SetUp() override { dc_ = GetDC(nullptr); }
  void TearDown() override { ReleaseDC(nullptr, dc_); }
  HDC dc_ = nullptr;
};

// Wine reports the requested name for a replaced font, so the stand-in is
// recognised by measuring both alike.
TEST_F(PrefixFonts, EachNameIsDrawnInItsStandIn) {
  for (const StandIn& row : kStandIns) {
    SCOPED_TRACE(row.requested);
    ASSERT_TRUE(IsInstalled(dc_, row.font)) << row.font << " is missing";
    for (int height : kPixelHeights) {
      SCOPED_TRACE(testing::Message() << "height " << height);
      Measure requested = MeasureFont(dc_, row.requested, height);
      Measure font = MeasureFont(dc_, row.font, height);
      EXPECT_EQ(font.metrics.tmHeight, requested.metrics.tmHeight);
      EXPECT_EQ(font.metrics.tmAscent, requested.metrics.tmAscent);
      EXPECT_EQ(font.metrics.tmAveCharWidth, requested.metrics.tmAveCharWidth);
      EXPECT_EQ(font.metrics.tmMaxCharWidth, requested.metrics.tmMaxCharWidth);
      EXPECT_EQ(font.sample.cx, requested.sample.cx);
    }
  }
}

TEST_F(PrefixFonts, SerifSansAndMonospaceAreWhatTheyClaim) {
  for (const StandIn& row : kStandIns) {
    SCOPED_TRACE(row.requested);
    Measure measure = MeasureFont(dc_, row.requested, -16);
    BYTE family = measure.metrics.tmPitchAndFamily & 0xF0;
    // TMPF_FIXED_PITCH set means a variable pitch.
    bool variable = (measure.metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;
    switch (row.kind) {
      case Kind::Serif:
        EXPECT_EQ(FF_ROMAN, family);
        EXPECT_TRUE(variable);
        EXPECT_LT(measure.narrow, measure.wide);
        break;
      case Kind::Sans:
        EXPECT_EQ(FF_SWISS, family);
        EXPECT_TRUE(variable);
        EXPECT_LT(measure.narrow, measure.wide);
        break;
      case Kind::Monospace:
        EXPECT_EQ(FF_MODERN, family);
        EXPECT_FALSE(variable);
        EXPECT_EQ(measure.narrow, measure.wide);
        break;
    }
  }
}

// The templates' "MS Sans Serif" 8 comes out as the font of Wine's own
// message boxes, so our dialogs and its boxes look alike.
TEST_F(PrefixFonts, DialogFontMeasuresLikeTheMessageBoxFont) {
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), IDD_GOTO_VERSE, nullptr, nullptr, 0);
  ASSERT_NE(nullptr, dialog);
  auto dialog_font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  ASSERT_NE(nullptr, dialog_font);
  LOGFONTA dialog_face = {};
  GetObjectA(dialog_font, sizeof dialog_face, &dialog_face);
  EXPECT_STREQ("MS Sans Serif", dialog_face.lfFaceName);

  NONCLIENTMETRICSA system = {};
  system.cbSize = sizeof system;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0));
  EXPECT_STREQ("Tahoma", system.lfMessageFont.lfFaceName);
  HFONT message_font = CreateFontIndirectA(&system.lfMessageFont);

  TEXTMETRICA in_dialog = {}, in_box = {};
  SIZE dialog_sample = {}, box_sample = {};
  const int length = static_cast<int>(std::strlen(kSample));
  HGDIOBJ old = SelectObject(dc_, dialog_font);
  GetTextMetricsA(dc_, &in_dialog);
  GetTextExtentPoint32A(dc_, kSample, length, &dialog_sample);
  SelectObject(dc_, message_font);
  GetTextMetricsA(dc_, &in_box);
  GetTextExtentPoint32A(dc_, kSample, length, &box_sample);
  SelectObject(dc_, old);
  DeleteObject(message_font);
  DestroyWindow(dialog);

  EXPECT_EQ(in_box.tmHeight, in_dialog.tmHeight);
  EXPECT_EQ(in_box.tmAveCharWidth, in_dialog.tmAveCharWidth);
  EXPECT_EQ(box_sample.cx, dialog_sample.cx);
}

}  // namespace
}  // namespace kv
