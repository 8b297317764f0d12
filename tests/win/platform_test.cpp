// The calendar keeps all its text as Shift_JIS bytes and hands them to the ANSI calls: the
// system these tests run on must have code page 932 as its ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// "会議の準備 表示 ソ ｱ": kanji and kana, two characters whose trail byte is 0x5C (a backslash
// in ASCII) and one single-byte half-width katakana.
const std::string kShiftJis =
    "\x89\xef\x8b\x63\x82\xcc\x8f\x80\x94\xf5 \x95\x5c\x8e\xa6 \x83\x5c \xb1";
const std::wstring kUtf16 = L"\u4f1a\u8b70\u306e\u6e96\u5099 \u8868\u793a \u30bd \uff71";

TEST(Platform, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(Platform, LeadBytesAreThoseOfShiftJis) {
  for (int byte : {0x81, 0x89, 0x9F, 0xE0, 0xEA, 0xFC}) {
    SCOPED_TRACE(byte);
    EXPECT_TRUE(IsDBCSLeadByte(static_cast<BYTE>(byte)));
  }
  for (int byte : {0x00, 0x41, 0x5C, 0x7F, 0x80, 0xA0, 0xB1, 0xDF, 0xFD}) {
    SCOPED_TRACE(byte);
    EXPECT_FALSE(IsDBCSLeadByte(static_cast<BYTE>(byte)));
  }
}

std::string AnsiText(HWND window) {
  char buffer[256] = {};
  int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(length));
}

std::wstring WideText(HWND window) {
  wchar_t buffer[256] = {};
  int length = GetWindowTextW(window, buffer, 256);
  return std::wstring(buffer, static_cast<size_t>(length));
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Platform, ShiftJisRoundTripsThroughAnsiWindowText) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ZantoPlatformTest";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  HWND window = CreateWindowExA(0, "ZantoPlatformTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 100, 50, window,
                              nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(edit, nullptr);

  for (HWND target : {window, edit}) {
    SCOPED_TRACE(target == window ? "ANSI window" : "edit control");
    ASSERT_TRUE(SetWindowTextA(target, kShiftJis.c_str()));
    EXPECT_EQ(AnsiText(target), kShiftJis);
    EXPECT_EQ(WideText(target), kUtf16);
  }

  DestroyWindow(window);
  UnregisterClassA("ZantoPlatformTest", windowClass.hInstance);
}

}  // namespace
