// The Windows platform under the contract, in real time: the harness pumps
// messages while time passes, and counts allow for the system being late.
#include <algorithm>
#include <chrono>
#include <map>

#include "contract/harness.h"
#include "platform/win32/text_conversion.h"
#include "test_support.h"

namespace tk::contract {
namespace {

std::wstring MakeScratchFolder() {
  static int made = 0;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"tk_contract_" +
                        std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(made++);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

constexpr wchar_t kOtherClass[] = L"TkContractOther";
constexpr wchar_t kDocumentClass[] = L"TkContractDocument";

LRESULT CALLBACK DocumentProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefMDIChildProcW(hwnd, message, wparam, lparam);
}

void RegisterOtherClasses() {
  static const bool registered = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = DefWindowProcW;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.lpszClassName = kOtherClass;
    RegisterClassExW(&c);
    c.lpfnWndProc = DocumentProc;
    c.lpszClassName = kDocumentClass;
    RegisterClassExW(&c);
    return true;
  }();
  (void)registered;
}

HWND HwndOf(DesktopWindowHandle window) {
  return reinterpret_cast<HWND>(window);
}

DesktopWindowHandle HandleOf(HWND hwnd) {
  return reinterpret_cast<DesktopWindowHandle>(hwnd);
}

class Win32Harness : public Harness {
 public:
  Win32Harness() : folder_(MakeScratchFolder()), saved_directory_(platform_.CurrentDirectory()) {
    platform_.SetCurrentDirectory(win32::SjisFromWide(folder_));
  }
  ~Win32Harness() override {
    for (auto it = others_.rbegin(); it != others_.rend(); ++it) ::DestroyWindow(*it);
    platform_.SetCurrentDirectory(saved_directory_);
    RemoveFolder(folder_);
  }

  Platform& platform() override { return platform_; }

  void Pass(unsigned ms) override {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (auto now = std::chrono::steady_clock::now(); now < end;
         now = std::chrono::steady_clock::now()) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
      platform_.WaitForMessages(static_cast<std::uint32_t>(left.count()) + 1);
      platform_.ProcessPendingMessages();
    }
  }
  void Pump() override { platform_.ProcessPendingMessages(); }
  void Busy(unsigned ms) override { Sleep(ms); }
  const std::vector<std::string>& ExceptionBoxes() const override {
    return platform_.exception_boxes;
  }
  bool IsTopmost(WindowId id) const override {
    HWND hwnd = platform_.WindowHandle(id);
    return hwnd && (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }
  bool ShapeContains(WindowId id, int x, int y) const override {
    HWND hwnd = platform_.WindowHandle(id);
    if (hwnd == nullptr) return false;
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(hwnd, shape);
    const bool inside = kind == ERROR || PtInRegion(shape, x, y);
    DeleteObject(shape);
    return inside;
  }
  // A loaded machine delivers a tick late now and then; phase-kept
  // intervals may then bring the next one early.
  int TickSlack() const override { return 2; }

  DesktopWindowHandle OpenOtherWindow(const OtherWindow& w) override {
    RegisterOtherClasses();
    const DWORD style = w.minimize_box ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_CAPTION;
    HWND hwnd = CreateWindowExW(0, kOtherClass, win32::WideFromSjis(w.title).c_str(), style,
                                w.bounds.left, w.bounds.top, w.bounds.Width(), w.bounds.Height(),
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) return kNoDesktopWindow;
    others_.push_back(hwnd);
    if (w.visible) {
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    return HandleOf(hwnd);
  }
  DesktopWindowHandle OpenDocumentWindow(DesktopWindowHandle frame) override {
    HWND& client = clients_[HwndOf(frame)];
    if (client == nullptr) {
      RECT area{};
      GetClientRect(HwndOf(frame), &area);
      CLIENTCREATESTRUCT create{nullptr, 1000};
      client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                               0, area.right, area.bottom, HwndOf(frame), nullptr,
                               GetModuleHandleW(nullptr), &create);
    }
    MDICREATESTRUCTW document{
        kDocumentClass, L"Document", GetModuleHandleW(nullptr), 10, 10, 100, 100, WS_VISIBLE, 0};
    return HandleOf(reinterpret_cast<HWND>(
        SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&document))));
  }
  void MoveOtherWindow(DesktopWindowHandle window, const Rect& r) override {
    SetWindowPos(HwndOf(window), nullptr, r.left, r.top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void RaiseOtherWindow(DesktopWindowHandle window) override {
    SetWindowPos(HwndOf(window), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  void CloseOtherWindow(DesktopWindowHandle window) override {
    ::DestroyWindow(HwndOf(window));
    std::erase(others_, HwndOf(window));
  }

 private:
  win32_test::TestPlatform platform_;
  std::wstring folder_;
  std::string saved_directory_;
  std::vector<HWND> others_;
  std::map<HWND, HWND> clients_;  // each frame's document area
};

}  // namespace

std::unique_ptr<Harness> MakeHarness() {
  return std::make_unique<Win32Harness>();
}

}  // namespace tk::contract
