// Files and folders. Names are Shift-JIS; relative names resolve against
// the current directory as the system does it.
#include <limits>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (is_open()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool is_open() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

constexpr std::size_t kMaxSingleTransfer = std::numeric_limits<DWORD>::max();

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto chunk = static_cast<DWORD>(std::min(bytes.size() - done, kMaxSingleTransfer));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

std::optional<std::string> ReadAll(HANDLE file, std::size_t size) {
  std::string bytes(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    const auto chunk = static_cast<DWORD>(std::min(size - done, kMaxSingleTransfer));
    DWORD read = 0;
    if (!::ReadFile(file, bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;  // the file shrank since its size was taken
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

class Win32AppendFile final : public AppendFile {
 public:
  explicit Win32AppendFile(HANDLE handle) : file_(handle) {}

  bool SeekToEnd() override {
    return SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_END) != 0;
  }

  // One WriteFile call, so a line of the log is never split between calls.
  bool Write(const std::string& bytes) override {
    if (bytes.size() > kMaxSingleTransfer) return false;
    DWORD written = 0;
    const auto size = static_cast<DWORD>(bytes.size());
    return WriteFile(file_.get(), bytes.data(), size, &written, nullptr) && written == size;
  }

 private:
  FileHandle file_;
};

}  // namespace

std::string Win32Platform::ProgramFolder() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return win32::SjisFromWide(path.substr(0, path.find_last_of(L'\\') + 1));
}

std::string Win32Platform::CurrentDirectory() const {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::wstring path(needed, L'\0');
  const DWORD length = GetCurrentDirectoryW(needed, path.data());
  path.resize(length < needed ? length : 0);
  return win32::SjisFromWide(path);
}

bool Win32Platform::SetCurrentDirectory(const std::string& path) {
  return SetCurrentDirectoryW(win32::WideFromSjis(path).c_str()) != 0;
}

std::optional<std::string> Win32Platform::ReadFile(const std::string& name, std::size_t max_bytes) {
  FileHandle file(CreateFileW(win32::WideFromSjis(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.is_open()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  // Checked before anything is allocated for it.
  if (static_cast<unsigned long long>(size.QuadPart) > max_bytes) return std::nullopt;
  return ReadAll(file.get(), static_cast<std::size_t>(size.QuadPart));
}

// The new content goes to a file beside the target and reaches the disk
// before it takes the target's name, so a crash at any point leaves either
// the old file or the new one, never a mix or nothing.
bool Win32Platform::WriteFileReplacing(const std::string& name, const std::string& bytes) {
  const std::wstring target = win32::WideFromSjis(name);
  const std::wstring temporary = target + L".tk-new";
  bool ok = false;
  {
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.is_open()) return false;
    ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  }
  ok = ok && MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

std::unique_ptr<AppendFile> Win32Platform::OpenForAppend(const std::string& name) {
  HANDLE handle = CreateFileW(win32::WideFromSjis(name).c_str(), GENERIC_WRITE, 0, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32AppendFile>(handle);
}

}  // namespace tk
