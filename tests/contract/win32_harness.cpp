// The Windows platform under the contract, in real time: the harness pumps
// messages while time passes, and counts allow for the system being late.
#include <chrono>

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

class Win32Harness : public Harness {
 public:
  Win32Harness() : folder_(MakeScratchFolder()), saved_directory_(platform_.CurrentDirectory()) {
    platform_.SetCurrentDirectory(win32::SjisFromWide(folder_));
  }
  ~Win32Harness() override {
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

 private:
  win32_test::TestPlatform platform_;
  std::wstring folder_;
  std::string saved_directory_;
};

}  // namespace

std::unique_ptr<Harness> MakeHarness() {
  return std::make_unique<Win32Harness>();
}

}  // namespace tk::contract
