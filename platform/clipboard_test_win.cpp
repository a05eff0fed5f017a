// The clipboard port over the system clipboard: the text goes over as
// CF_TEXT up to its NUL and no further, the clipboard is opened for the
// window the port was given, a clipboard held by another window is refused,
// and a block never handed over is freed.
#include "platform/clipboard_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace kv {
namespace {

// A window of this process to own the clipboard, or to hold it open.
HWND MakeWindow(const char* name) {
  return CreateWindowExA(0, "STATIC", name, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

// The clipboard's CF_TEXT and the size of its block; "<none>" without one.
struct Handed {
  std::string text = "<none>";
  SIZE_T size = 0;
};

Handed ReadClipboard() {
  Handed handed;
  if (!OpenClipboard(nullptr)) return Handed{"<busy>", 0};
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    handed.size = GlobalSize(data);
    if (const char* p = static_cast<const char*>(GlobalLock(data))) handed.text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return handed;
}

void PutText(const char* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const std::size_t size = std::strlen(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), text, size);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

class SystemClipboardPort : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = MakeWindow("clipboard owner");
    ASSERT_NE(owner_, nullptr);
    PutText("before");
  }
  void TearDown() override {
    if (owner_) DestroyWindow(owner_);
  }

  HWND owner_ = nullptr;
};

TEST_F(SystemClipboardPort, HandsTheTextUpToItsNulAndNoMore) {
  SystemClipboard clipboard(owner_);
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(GetOpenClipboardWindow(), owner_);
  clipboard.Empty();
  char* block = clipboard.Allocate(900);
  ASSERT_NE(block, nullptr);
  std::memset(block, 'x', 900);
  const char text[] = "Joh 3:16 For God so loved the world,\r\n\xB6 that he gave";
  std::memcpy(block, text, sizeof text);
  clipboard.Hand();
  clipboard.Close();
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  const Handed handed = ReadClipboard();
  EXPECT_EQ(handed.text, text);
  EXPECT_EQ(handed.size, sizeof text) << "the block is cut to the text and its NUL";
}

TEST_F(SystemClipboardPort, OpensForTheWindowItIsGivenNow) {
  HWND other = MakeWindow("the main window made anew");
  ASSERT_NE(other, nullptr);
  SystemClipboard clipboard(owner_);
  clipboard.SetOwner(other);
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(GetOpenClipboardWindow(), other);
  clipboard.Close();
  DestroyWindow(other);
}

TEST_F(SystemClipboardPort, AClipboardHeldByAnotherWindowIsRefused) {
  HWND holder = MakeWindow("holder");
  ASSERT_NE(holder, nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  SystemClipboard clipboard(owner_);
  EXPECT_FALSE(clipboard.Open());
  CloseClipboard();
  DestroyWindow(holder);
  EXPECT_EQ(ReadClipboard().text, "before");
}

TEST_F(SystemClipboardPort, ABlockNeverHandedOverIsFreedAndNothingIsPut) {
  SystemClipboard clipboard(owner_);
  ASSERT_TRUE(clipboard.Open());
  clipboard.Empty();
  ASSERT_NE(clipboard.Allocate(64), nullptr);
  clipboard.Close();
  EXPECT_EQ(ReadClipboard().text, "<none>");
  // The port is ready for the next copy.
  ASSERT_TRUE(clipboard.Open());
  clipboard.Empty();
  char* block = clipboard.Allocate(16);
  ASSERT_NE(block, nullptr);
  std::memcpy(block, "Ge 1:1", 7);
  clipboard.Hand();
  clipboard.Close();
  EXPECT_EQ(ReadClipboard().text, "Ge 1:1");
}

}  // namespace
}  // namespace kv
