#include "shell/testing/program_test_win.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "shell/app_state.h"
#include "shell/program_win.h"

namespace kv::wintest {

namespace {

// Timer callbacks take no context, so the running test's work waits here.
std::function<void(HWND)> g_body;
std::vector<Step> g_steps;
std::size_t g_next_step = 0;
bool g_in_step = false;
bool g_body_ran = false;
int g_ticks = 0;

constexpr UINT kTickMs = 20;
constexpr int kStartTicks = 300;  // six seconds for the main window to come up

// The main window once it is up; null before. Gives up, failing the test,
// when it never comes.
HWND MainWindowOrGiveUp(UINT_PTR timer) {
  HWND main = Windows().main;
  if (main && IsWindowVisible(main)) return main;
  if (++g_ticks > kStartTicks) {
    KillTimer(nullptr, timer);
    ADD_FAILURE() << "the main window never came up";
    PostQuitMessage(1);
  }
  return nullptr;
}

void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND main = MainWindowOrGiveUp(timer);
  if (!main) return;
  KillTimer(nullptr, timer);
  g_body_ran = true;
  g_body(main);
  PostMessageA(main, WM_CLOSE, 0, 0);
}

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR timer, DWORD) {
  if (g_in_step) return;  // a modal loop inside a step
  HWND main = MainWindowOrGiveUp(timer);
  if (!main) return;
  HoldModifiers(kNoModifiers);
  if (g_next_step == g_steps.size() || ::testing::Test::HasFatalFailure()) {
    KillTimer(nullptr, timer);
    PostMessageA(main, WM_CLOSE, 0, 0);
    return;
  }
  g_in_step = true;
  g_steps[g_next_step++]();
  g_in_step = false;
}

}  // namespace

void ProgramTest::SetUp() {
  char temp[MAX_PATH], name[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  GetTempFileNameA(temp, "kv", 0, name);
  DeleteFileA(name);
  ASSERT_TRUE(CreateDirectoryA(name, nullptr));
  dir_ = name;
  for (const char* file : kDataFiles)
    ASSERT_TRUE(CopyFileA((std::string(KELVANE_TEST_DATA_DIR) + "\\" + file).c_str(), Path(file).c_str(), FALSE))
        << file;
  GetCurrentDirectoryA(sizeof old_dir_, old_dir_);
  SetCurrentDirectoryA(dir_.c_str());
  App().shell.settings_file = Path("Kelvane.Ini");
  // The per-user file too stays in the scratch folder: the prefix's own
  // application data folder is shared by every test.
  App().shell.per_user_settings_file = Path(std::string(kPerUserFolder) + "\\Kelvane.Ini");
}

void ProgramTest::TearDown() {
  UnregisterProgramClasses(GetModuleHandleA(nullptr));
  SetCurrentDirectoryA(old_dir_);
  const std::string per_user = Path(kPerUserFolder);
  SetFileAttributesA((per_user + "\\Kelvane.Ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA((per_user + "\\Kelvane.Ini").c_str());
  RemoveDirectoryA(per_user.c_str());
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(Path("*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      SetFileAttributesA(Path(found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(Path(found.cFileName).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(dir_.c_str());
}

void ProgramTest::Run(std::function<void(HWND)> body) {
  g_body = std::move(body);
  g_ticks = 0;
  g_body_ran = false;
  SetTimer(nullptr, 0, kTickMs, RunBody);
  EXPECT_EQ(0, RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
  // Registered afresh by the next start of the program in this test.
  UnregisterProgramClasses(GetModuleHandleA(nullptr));
  EXPECT_TRUE(g_body_ran) << "the program ended before the test's body ran";
  g_body = nullptr;
}

void ProgramTest::RunSteps(std::vector<Step> steps) {
  g_steps = std::move(steps);
  g_next_step = 0;
  g_ticks = 0;
  SetTimer(nullptr, 0, kTickMs, RunNextStep);
  EXPECT_EQ(0, RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
  UnregisterProgramClasses(GetModuleHandleA(nullptr));
  if (!HasFatalFailure()) {
    EXPECT_EQ(g_next_step, g_steps.size()) << "steps left undone";
  }
  g_steps.clear();
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void HoldModifiers(int modifiers) {
  BYTE keys[256];
  GetKeyboardState(keys);
  const BYTE ctrl = (modifiers & kCtrl) ? 0x80 : 0, alt = (modifiers & kAlt) ? 0x80 : 0;
  const BYTE shift = (modifiers & kShift) ? 0x80 : 0;
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl;
  keys[VK_MENU] = keys[VK_LMENU] = alt;
  keys[VK_SHIFT] = keys[VK_LSHIFT] = shift;
  SetKeyboardState(keys);
}

void PressKey(UINT key, int modifiers) {
  HoldModifiers(modifiers);
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
}

std::vector<unsigned char> CapturePixels(HDC dc, int x, int y, int width, int height) {
  HDC memory = CreateCompatibleDC(dc);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
  GdiFlush();
  const unsigned char* first = static_cast<const unsigned char*>(bits);
  std::vector<unsigned char> pixels(first, first + 4 * static_cast<std::size_t>(width) * height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

bool SaveScreenRect(const RECT& rect, const std::string& path) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  const std::vector<unsigned char> pixels = CapturePixels(screen, rect.left, rect.top, width, height);
  ReleaseDC(nullptr, screen);
  // 24 bits a pixel: viewers read the fourth byte of a 32-bit file as
  // transparency, and the capture leaves it zero.
  const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  std::vector<unsigned char> rows(row * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      std::memcpy(&rows[y * row + 3 * x], &pixels[4 * (static_cast<std::size_t>(y) * width + x)], 3);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;  // top-down, as captured
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + rows.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
  return out.good();
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

POINT FindSelectionPoint(HWND pane, SelectionPoint wanted,
                         const std::function<bool(HDC, int, int, SelectionPoint*)>& hit_test) {
  RECT client;
  GetClientRect(pane, &client);
  HDC dc = GetDC(pane);
  POINT found = {-1, -1};
  for (int y = 1; y < client.bottom && found.x < 0; y += 4) {
    for (int x = 2; x < client.right; x += 3) {
      SelectionPoint point;
      if (hit_test(dc, x, y, &point) && point == wanted) {
        found = {x, y};
        break;
      }
    }
  }
  ReleaseDC(pane, dc);
  return found;
}

}  // namespace kv::wintest
