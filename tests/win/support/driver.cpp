#include "support/driver.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <utility>

namespace driver {

namespace {

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring FullPath(const std::wstring& path) {
  DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  full.resize(length);
  return full;
}

bool CreateFolderChain(const std::wstring& folder) {
  for (size_t pos = folder.find(L'\\', 3); pos != std::wstring::npos;
       pos = folder.find(L'\\', pos + 1)) {
    std::wstring part = folder.substr(0, pos);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
  }
  return true;
}

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->className && ClassName(window) != search->className) return TRUE;
  search->found.push_back(window);
  return TRUE;
}

bool WriteFileAll(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

std::wstring ExecutableFolder() { return FolderOf(ModulePath()); }

std::wstring ProgramFolder() { return FullPath(ExecutableFolder() + L"..\\Zanto\\"); }

std::wstring ProgramPath(const std::wstring& fileName) { return ProgramFolder() + fileName; }

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    Sleep(intervalMs);
  }
}

Process::~Process() {
  if (Running()) Terminate();
  Close();
}

Process::Process(Process&& other) noexcept
    : info_(std::exchange(other.info_, {})), startError_(other.startError_) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    if (Running()) Terminate();
    Close();
    info_ = std::exchange(other.info_, {});
    startError_ = other.startError_;
  }
  return *this;
}

namespace {

// Under load Wine now and then fails a process start before the program's own code runs
// (ERROR_INTERNAL_ERROR from its loader); such a start is tried again.
template <typename Create>
DWORD StartWithRetry(Create create) {
  constexpr int kAttempts = 3;
  DWORD error = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (create()) return 0;
    error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR) break;
  }
  return error;
}

}  // namespace

Process Process::Start(const std::wstring& commandLine, const std::wstring& applicationName) {
  Process process;
  process.startError_ = StartWithRetry([&] {
    std::wstring writable = commandLine;  // CreateProcessW may write into the command line
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(applicationName.empty() ? nullptr : applicationName.c_str(),
                          writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process.info_) != 0;
  });
  if (process.startError_) process.info_ = {};
  return process;
}

Process Process::StartAnsi(const std::string& commandLine, const std::string& applicationName) {
  Process process;
  process.startError_ = StartWithRetry([&] {
    std::string writable = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(applicationName.empty() ? nullptr : applicationName.c_str(),
                          writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process.info_) != 0;
  });
  if (process.startError_) process.info_ = {};
  return process;
}

bool Process::Running() const {
  return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::Wait(DWORD timeoutMs) const {
  return Started() && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (Started()) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool Process::WaitForIdle(DWORD timeoutMs) const {
  return Started() && WaitForInputIdle(info_.hProcess, timeoutMs) == 0;
}

void Process::Terminate(UINT exitCode) {
  if (!Started()) return;
  TerminateProcess(info_.hProcess, exitCode);
  WaitForSingleObject(info_.hProcess, kMessageTimeoutMs);
}

void Process::Close() {
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
  info_ = {};
}

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
  WindowSearch search{processId, className, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(const Process& process, const wchar_t* className, DWORD timeoutMs) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        std::vector<HWND> found = TopLevelWindows(process.Id(), className);
        if (!found.empty()) window = found.front();
        return window != nullptr || !process.Running();
      },
      timeoutMs);
  return window;
}

std::wstring Text(HWND window) {
  bool ok = false;
  LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0, &ok);
  if (!ok || length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied =
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &ok);
  text.resize(ok ? static_cast<size_t>(copied) : 0);
  return text;
}

std::string TextAnsi(HWND window) {
  std::wstring wide = Text(window);
  if (wide.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(length));
}

LONG_PTR Style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

LONG_PTR ExStyle(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

RECT ChildRect(HWND child) {
  RECT rect = WindowRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok) {
  DWORD_PTR result = 0;
  bool answered = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                      kMessageTimeoutMs, &result) != 0;
  if (ok) *ok = answered;
  return static_cast<LRESULT>(result);
}

bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageW(window, message, wParam, lParam) != 0;
}

std::vector<std::string> LoadedModules(HANDLE process) {
  HMODULE handles[512];
  DWORD bytes = 0;
  std::vector<std::string> names;
  if (!EnumProcessModules(process, handles, sizeof handles, &bytes)) return names;
  const DWORD count = std::min<DWORD>(bytes / sizeof(HMODULE), 512);
  for (DWORD i = 0; i < count; ++i) {
    char name[MAX_PATH] = "";
    if (!GetModuleBaseNameA(process, handles[i], name, MAX_PATH)) continue;
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(tolower(static_cast<unsigned char>(c))); });
    names.push_back(lower);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

bool SetWindowRect(HWND window, const RECT& rect) {
  return SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

std::wstring ArtifactsFolder() {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"ZANTO_ARTIFACTS", value, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring folder(value, length);
  if (folder.front() == L'/') folder = L"Z:" + folder;
  for (wchar_t& c : folder)
    if (c == L'/') c = L'\\';
  folder = FullPath(folder);
  if (folder.back() != L'\\') folder += L'\\';
  return CreateFolderChain(folder) ? folder : std::wstring();
}

std::wstring SaveScreenshot(const std::wstring& name) {
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  std::wstring folder = ArtifactsFolder();
  if (folder.empty()) return {};
  std::wstring path = folder + name + L".bmp";
  return SaveScreenArea(screen, path) ? path : std::wstring();
}

std::wstring SaveScreenshot(HWND window, const std::wstring& name) {
  std::wstring folder = ArtifactsFolder();
  if (folder.empty()) return {};
  std::wstring path = folder + name + L".bmp";
  return SaveScreenArea(WindowRect(window), path) ? path : std::wstring();
}

bool SaveScreenArea(const RECT& area, const std::wstring& path) {
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, the form every BMP reader knows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  bool copied = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    SelectObject(memory, old);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  bool saved = false;
  if (copied) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out != INVALID_HANDLE_VALUE) {
      saved = WriteFileAll(out, &file, sizeof file) && WriteFileAll(out, &header, sizeof header) &&
              WriteFileAll(out, bits, header.biSizeImage);
      CloseHandle(out);
      if (!saved) DeleteFileW(path.c_str());
    }
  }
  if (bitmap) DeleteObject(bitmap);
  return saved;
}

std::vector<DWORD> BitmapPixels(HDC dc, HBITMAP bitmap, int width, int height) {
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

std::vector<DWORD> ScreenPixels(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  const std::vector<DWORD> pixels = BitmapPixels(memory, bitmap, width, height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::vector<DWORD> SettledWindowPixels(HWND window) {
  std::vector<DWORD> last = ScreenPixels(WindowRect(window));
  WaitUntil(
      [&] {
        std::vector<DWORD> now = ScreenPixels(WindowRect(window));
        const bool same = now == last;
        last = std::move(now);
        return same;
      },
      3000, 100);
  return last;
}

HWND Descendant(HWND parent, int id) {
  std::pair<int, HWND> search = {id, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM p) {
        auto* s = reinterpret_cast<std::pair<int, HWND>*>(p);
        if (GetDlgCtrlID(child) == s->first && IsWindowVisible(child)) s->second = child;
        return s->second ? FALSE : TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void SetText(HWND control, const std::wstring& text) {
  bool answered = false;
  Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &answered);
  EXPECT_TRUE(answered) << "the control did not answer WM_SETTEXT";
}

}  // namespace driver
