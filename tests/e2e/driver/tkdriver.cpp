// tkdriver: looks at and pokes the windows of a running program from the
// outside, for the end-to-end tests. It runs under the same Wine server as the
// program, so it sees the program's windows as Windows sees them (titles,
// dialog controls, regions), which the X side cannot tell reliably.
//
// Output is UTF-8 whatever the console or locale says, so that a shell test can
// compare Japanese texts byte for byte.
//
// Exit codes: 0 done, 1 timed out or not found, 2 bad usage, 3 a call failed.

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>

#include <cerrno>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kOk = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;
constexpr int kFailed = 3;

constexpr wchar_t kDialogClass[] = L"#32770";
// The static control that carries a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kPollMs = 50;
constexpr UINT kSendTimeoutMs = 2000;

// Writes UTF-8 to a standard handle. WriteFile, not the C library: it passes
// the bytes through untouched when the handle is a pipe or a file.
void Write(DWORD handle, const std::wstring& text) {
  if (text.empty()) return;
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(handle), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
}

void Out(const std::wstring& line) {
  Write(STD_OUTPUT_HANDLE, line + L"\n");
}

void Err(const std::wstring& line) {
  Write(STD_ERROR_HANDLE, L"tkdriver: " + line + L"\n");
}

std::wstring Hex(ULONG_PTR value) {
  wchar_t buffer[32];
  swprintf(buffer, 32, L"0x%llx", static_cast<unsigned long long>(value));
  return buffer;
}

std::wstring HandleText(HWND hwnd) {
  return Hex(reinterpret_cast<ULONG_PTR>(hwnd));
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

// Asks the owning thread for the text, so it works across processes for
// controls too; falls back to the cached caption if that thread is stuck.
std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                          &length)) {
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(),
                            reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &copied)) {
      return std::wstring(buffer.data(), copied);
    }
  }
  wchar_t buffer[1024] = {};
  GetWindowTextW(hwnd, buffer, 1024);
  return buffer;
}

bool ParseNumber(const wchar_t* text, long long& value) {
  if (!text || !*text) return false;
  wchar_t* end = nullptr;
  errno = 0;
  if (text[0] == L'-') {
    value = wcstoll(text, &end, 0);
  } else {
    value = static_cast<long long>(wcstoull(text, &end, 0));
  }
  return errno == 0 && end && *end == L'\0';
}

bool ParseTimeout(const wchar_t* text, DWORD& ms) {
  long long value = 0;
  if (!ParseNumber(text, value) || value < 0 || value > 24LL * 3600 * 1000) return false;
  ms = static_cast<DWORD>(value);
  return true;
}

struct TopLevel {
  HWND hwnd;
  bool visible;
};

std::vector<TopLevel> TopLevels() {
  std::vector<TopLevel> windows;
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<TopLevel>*>(param)->push_back(
            {hwnd, IsWindowVisible(hwnd) != FALSE});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// A program window with this exact title. Message boxes carry the program's
// title as caption too; they are never meant here. Among several matches a
// visible one wins, so a hidden helper window of the same name is not picked.
HWND FindProgramWindow(const std::wstring& title, bool visible_only) {
  HWND hidden = nullptr;
  for (const TopLevel& window : TopLevels()) {
    if (ClassOf(window.hwnd) == kDialogClass) continue;
    wchar_t caption[512] = {};
    GetWindowTextW(window.hwnd, caption, 512);
    if (title != caption) continue;
    if (window.visible) return window.hwnd;
    if (!hidden) hidden = window.hwnd;
  }
  return visible_only ? nullptr : hidden;
}

HWND FindBox() {
  for (const TopLevel& window : TopLevels()) {
    if (window.visible && ClassOf(window.hwnd) == kDialogClass) return window.hwnd;
  }
  return nullptr;
}

template <typename Probe>
auto WaitFor(DWORD timeout_ms, Probe probe) -> decltype(probe()) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (auto found = probe()) return found;
    if (GetTickCount64() >= deadline) return {};
    Sleep(kPollMs);
  }
}

int Usage() {
  Err(L"usage:\n"
      L"  wait-window TITLE TIMEOUT_MS     wait for a window of that title, print its handle\n"
      L"  wait-visible TITLE TIMEOUT_MS    the same, but it must be visible\n"
      L"  wait-gone TITLE TIMEOUT_MS       wait until no window has that title\n"
      L"  wait-box TIMEOUT_MS [BUTTON_ID]  wait for a message box, print caption and text,\n"
      L"                                   press its button (default IDOK) and wait until it goes\n"
      L"  no-box                           exit 0 when no message box is showing, else print it, "
      L"exit 1\n"
      L"  close TITLE                      post WM_CLOSE\n"
      L"  post TITLE MSG WPARAM LPARAM     post a message (numbers decimal or 0x hex)\n"
      L"  send TITLE MSG WPARAM LPARAM     send a message (2 s timeout), print the result\n"
      L"  info TITLE                       print handle, rectangle, visibility, topmost, region "
      L"box\n"
      L"  list                             print every top-level window\n"
      L"  host TITLE L T W H SECONDS       open an ordinary window with an edit box, make it the\n"
      L"                                   foreground window and keep it until closed or SECONDS\n"
      L"  cover TITLE SECONDS              open a borderless window covering the primary monitor,\n"
      L"                                   make it the foreground window and keep it until\n"
      L"                                   closed or SECONDS, as a game or a video does\n"
      L"  idle TITLE L T W H SECONDS [STEP_MS]\n"
      L"                                   open a borderless window that does nothing (or, with\n"
      L"                                   STEP_MS, moves itself 2 pixels every STEP_MS ms) and "
      L"keep\n"
      L"                                   it until closed or SECONDS: what a character costs is\n"
      L"                                   measured against it\n"
      L"  move TITLE LEFT TOP              move a window without activating it\n"
      L"  activate TITLE                   make the window the foreground window\n"
      L"  type TEXT                        type TEXT as key presses into whatever has the focus\n"
      L"  text TITLE                       print the text of the window's edit box\n"
      L"  foreground                       print the foreground window's title and the focus's "
      L"class");
  return kUsage;
}

int WaitWindow(int argc, wchar_t** argv, bool visible_only) {
  DWORD timeout = 0;
  if (argc != 4 || !ParseTimeout(argv[3], timeout)) return Usage();
  const std::wstring title = argv[2];
  HWND hwnd = WaitFor(timeout, [&] { return FindProgramWindow(title, visible_only); });
  if (!hwnd) {
    Err(L"no " + std::wstring(visible_only ? L"visible " : L"") + L"window titled \"" + title +
        L"\" within " + argv[3] + L" ms");
    return kNotFound;
  }
  Out(HandleText(hwnd));
  return kOk;
}

int WaitGone(int argc, wchar_t** argv) {
  DWORD timeout = 0;
  if (argc != 4 || !ParseTimeout(argv[3], timeout)) return Usage();
  const std::wstring title = argv[2];
  const bool gone = WaitFor(timeout, [&] { return FindProgramWindow(title, false) == nullptr; });
  if (!gone) {
    Err(L"a window titled \"" + title + L"\" is still there after " + argv[3] + L" ms");
    return kNotFound;
  }
  return kOk;
}

void PrintBox(HWND box) {
  Out(TextOf(box));
  Out(TextOf(GetDlgItem(box, kMessageBoxTextId)));
}

int WaitBox(int argc, wchar_t** argv) {
  DWORD timeout = 0;
  long long button = IDOK;
  if (argc < 3 || argc > 4 || !ParseTimeout(argv[2], timeout)) return Usage();
  if (argc == 4 && !ParseNumber(argv[3], button)) return Usage();

  HWND box = WaitFor(timeout, FindBox);
  if (!box) {
    Err(std::wstring(L"no message box within ") + argv[2] + L" ms");
    return kNotFound;
  }
  PrintBox(box);

  const int id = static_cast<int>(button);
  // A posted command is what a click on the button sends; unlike a synthetic
  // click it does not depend on focus or on where the box was placed. The
  // message box acts on the command even where its button carries another id
  // (an OK-only box may number its button as Cancel), so a missing control is
  // no reason to give up; the wait below tells whether the box went.
  HWND control = GetDlgItem(box, id);
  if (!PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                    reinterpret_cast<LPARAM>(control))) {
    Err(L"PostMessage failed");
    return kFailed;
  }
  const bool closed = WaitFor(timeout, [&] { return !IsWindow(box) || !IsWindowVisible(box); });
  if (!closed) {
    Err(L"the message box did not close");
    return kFailed;
  }
  return kOk;
}

int NoBox(int argc) {
  if (argc != 2) return Usage();
  HWND box = FindBox();
  if (!box) return kOk;
  PrintBox(box);
  return kNotFound;
}

bool ParseMessage(wchar_t** args, UINT& msg, WPARAM& wparam, LPARAM& lparam) {
  long long m = 0, w = 0, l = 0;
  if (!ParseNumber(args[0], m) || !ParseNumber(args[1], w) || !ParseNumber(args[2], l))
    return false;
  msg = static_cast<UINT>(m);
  wparam = static_cast<WPARAM>(w);
  lparam = static_cast<LPARAM>(l);
  return true;
}

HWND RequireWindow(const std::wstring& title) {
  HWND hwnd = FindProgramWindow(title, false);
  if (!hwnd) Err(L"no window titled \"" + title + L"\"");
  return hwnd;
}

int Close(int argc, wchar_t** argv) {
  if (argc != 3) return Usage();
  HWND hwnd = RequireWindow(argv[2]);
  if (!hwnd) return kNotFound;
  return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? kOk : kFailed;
}

int Post(int argc, wchar_t** argv) {
  UINT msg = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  if (argc != 6 || !ParseMessage(argv + 3, msg, wparam, lparam)) return Usage();
  HWND hwnd = RequireWindow(argv[2]);
  if (!hwnd) return kNotFound;
  return PostMessageW(hwnd, msg, wparam, lparam) ? kOk : kFailed;
}

int Send(int argc, wchar_t** argv) {
  UINT msg = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  if (argc != 6 || !ParseMessage(argv + 3, msg, wparam, lparam)) return Usage();
  HWND hwnd = RequireWindow(argv[2]);
  if (!hwnd) return kNotFound;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, msg, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
    Err(L"the window did not answer");
    return kFailed;
  }
  Out(std::to_wstring(static_cast<long long>(result)));
  return kOk;
}

std::wstring RectText(const RECT& r) {
  return std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) +
         L" " + std::to_wstring(r.bottom);
}

int Info(int argc, wchar_t** argv) {
  if (argc != 3) return Usage();
  HWND hwnd = RequireWindow(argv[2]);
  if (!hwnd) return kNotFound;
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  const LONG_PTR ex_style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  Out(L"hwnd " + HandleText(hwnd));
  Out(L"rect " + RectText(rect));
  Out(L"visible " + std::to_wstring(IsWindowVisible(hwnd) ? 1 : 0));
  Out(L"topmost " + std::to_wstring((ex_style & WS_EX_TOPMOST) ? 1 : 0));

  // Region box in window coordinates; "none" when the window has no region.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(hwnd, region);
  if (kind == ERROR) {
    Out(L"region none");
  } else {
    RECT box = {};
    GetRgnBox(region, &box);
    const wchar_t* name = kind == NULLREGION     ? L"empty"
                          : kind == SIMPLEREGION ? L"simple"
                                                 : L"complex";
    Out(std::wstring(L"region ") + name + L" " + RectText(box));
  }
  DeleteObject(region);
  return kOk;
}

int List(int argc) {
  if (argc != 2) return Usage();
  for (const TopLevel& window : TopLevels()) {
    wchar_t caption[512] = {};
    GetWindowTextW(window.hwnd, caption, 512);
    RECT rect = {};
    GetWindowRect(window.hwnd, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(window.hwnd, &pid);
    Out(HandleText(window.hwnd) + L"\tpid " + std::to_wstring(pid) + L"\t" +
        (window.visible ? L"visible" : L"hidden") + L"\t" + RectText(rect) + L"\t" +
        ClassOf(window.hwnd) + L"\t" + caption);
  }
  return kOk;
}

// --- a window of our own: another program for the character to sit on ---

constexpr wchar_t kHostClass[] = L"TkDriverHost";
constexpr wchar_t kCoverClass[] = L"TkDriverCover";
constexpr wchar_t kIdleClass[] = L"TkDriverIdle";
constexpr int kHostEditId = 100;
constexpr UINT_PTR kHostTimer = 1;
constexpr UINT_PTR kStepTimer = 2;

// Every window of ours lives until its timer, and its end ends the program.
LRESULT CALLBACK TimedProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      MoveWindow(GetDlgItem(hwnd, kHostEditId), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_SETFOCUS:  // an activated window hands the keyboard to its edit box
      SetFocus(GetDlgItem(hwnd, kHostEditId));
      return 0;
    default:
      return TimedProc(hwnd, message, wparam, lparam);
  }
}

void RegisterOwnClass(const wchar_t* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = proc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

// Shows the window in front with the foreground (and the keyboard in
// `focus`, when given), prints its handle and handles its messages for
// `seconds`.
int LiveFor(HWND hwnd, long long seconds, HWND focus = nullptr) {
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  if (focus != nullptr) SetFocus(focus);
  SetTimer(hwnd, kHostTimer, static_cast<UINT>(seconds * 1000), nullptr);
  Out(HandleText(hwnd));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return kOk;
}

// An ordinary top-level window (caption, minimize box) holding a multi-line
// edit box that carries the tab-stop style, as most programs' controls do.
int Host(int argc, wchar_t** argv) {
  long long box[5] = {};
  if (argc != 8) return Usage();
  for (int i = 0; i < 5; ++i) {
    if (!ParseNumber(argv[3 + i], box[i])) return Usage();
  }
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterOwnClass(kHostClass, HostProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  HWND hwnd = CreateWindowExW(0, kHostClass, argv[2], WS_OVERLAPPEDWINDOW, static_cast<int>(box[0]),
                              static_cast<int>(box[1]), static_cast<int>(box[2]),
                              static_cast<int>(box[3]), nullptr, nullptr, instance, nullptr);
  if (!hwnd) {
    Err(L"cannot create the window");
    return kFailed;
  }
  CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 0, 0,
                  hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHostEditId)), instance,
                  nullptr);
  return LiveFor(hwnd, box[4], GetDlgItem(hwnd, kHostEditId));
}

// Another program gone full screen: a borderless window exactly the primary
// monitor's size, in front and holding the foreground.
int Cover(int argc, wchar_t** argv) {
  long long seconds = 0;
  if (argc != 4 || !ParseNumber(argv[3], seconds)) return Usage();
  RegisterOwnClass(kCoverClass, TimedProc, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HWND hwnd = CreateWindowExW(0, kCoverClass, argv[2], WS_POPUP, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) {
    Err(L"cannot create the window");
    return kFailed;
  }
  return LiveFor(hwnd, seconds);
}

// Two pixels a step along x, turning at the primary monitor's edges.
LRESULT CALLBACK IdleProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_TIMER || wparam != kStepTimer) return TimedProc(hwnd, message, wparam, lparam);
  static int direction = 2;
  RECT rect;
  GetWindowRect(hwnd, &rect);
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  if (rect.right + direction > screen || rect.left + direction < 0) direction = -direction;
  SetWindowPos(hwnd, nullptr, rect.left + direction, rect.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// Wine's own share of a character's cost: a window that only exists, or
// that moves as a strolling character does, in a program of its own.
int Idle(int argc, wchar_t** argv) {
  long long box[5] = {};
  long long step_ms = 0;
  if (argc != 8 && argc != 9) return Usage();
  for (int i = 0; i < 5; ++i) {
    if (!ParseNumber(argv[3 + i], box[i])) return Usage();
  }
  if (argc == 9 && (!ParseNumber(argv[8], step_ms) || step_ms <= 0)) return Usage();
  RegisterOwnClass(kIdleClass, IdleProc, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  HWND hwnd =
      CreateWindowExW(WS_EX_TOOLWINDOW, kIdleClass, argv[2], WS_POPUP, static_cast<int>(box[0]),
                      static_cast<int>(box[1]), static_cast<int>(box[2]), static_cast<int>(box[3]),
                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) {
    Err(L"cannot create the window");
    return kFailed;
  }
  if (step_ms > 0) SetTimer(hwnd, kStepTimer, static_cast<UINT>(step_ms), nullptr);
  return LiveFor(hwnd, box[4]);
}

int Move(int argc, wchar_t** argv) {
  long long left = 0, top = 0;
  if (argc != 5 || !ParseNumber(argv[3], left) || !ParseNumber(argv[4], top)) return Usage();
  HWND hwnd = RequireWindow(argv[2]);
  if (!hwnd) return kNotFound;
  const BOOL moved = SetWindowPos(hwnd, nullptr, static_cast<int>(left), static_cast<int>(top), 0,
                                  0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return moved ? kOk : kFailed;
}

int Activate(int argc, wchar_t** argv) {
  if (argc != 3) return Usage();
  HWND hwnd = RequireWindow(argv[2]);
  if (!hwnd) return kNotFound;
  return SetForegroundWindow(hwnd) ? kOk : kFailed;
}

void AddKey(std::vector<INPUT>& inputs, WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs.push_back(input);
}

// Real key presses, as a user's: they reach whichever window has the
// keyboard focus, so they tell where the focus is.
int Type(int argc, wchar_t** argv) {
  if (argc != 3) return Usage();
  std::vector<INPUT> inputs;
  for (const wchar_t* c = argv[2]; *c; ++c) {
    const SHORT scan = VkKeyScanW(*c);
    if (scan == -1) {
      Err(std::wstring(L"no key types '") + *c + L"'");
      return kUsage;
    }
    const bool shift = (HIBYTE(scan) & 1) != 0;
    if (shift) AddKey(inputs, VK_SHIFT, false);
    AddKey(inputs, LOBYTE(scan), false);
    AddKey(inputs, LOBYTE(scan), true);
    if (shift) AddKey(inputs, VK_SHIFT, true);
  }
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size() ? kOk : kFailed;
}

int Text(int argc, wchar_t** argv) {
  if (argc != 3) return Usage();
  HWND hwnd = RequireWindow(argv[2]);
  if (!hwnd) return kNotFound;
  HWND edit = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
  if (!edit) {
    Err(L"the window has no edit box");
    return kNotFound;
  }
  Out(TextOf(edit));
  return kOk;
}

int Foreground(int argc) {
  if (argc != 2) return Usage();
  HWND foreground = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  const bool known = thread != 0 && GetGUIThreadInfo(thread, &info) && info.hwndFocus;
  Out(L"foreground " + (foreground ? TextOf(foreground) : std::wstring()));
  Out(L"focus " + (known ? ClassOf(info.hwndFocus) : std::wstring()));
  return kOk;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Only matters when standard output is a console: then WriteFile's bytes are
  // read as UTF-8 too.
  SetConsoleOutputCP(CP_UTF8);
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  if (command == L"wait-window") return WaitWindow(argc, argv, false);
  if (command == L"wait-visible") return WaitWindow(argc, argv, true);
  if (command == L"wait-gone") return WaitGone(argc, argv);
  if (command == L"wait-box") return WaitBox(argc, argv);
  if (command == L"no-box") return NoBox(argc);
  if (command == L"close") return Close(argc, argv);
  if (command == L"post") return Post(argc, argv);
  if (command == L"send") return Send(argc, argv);
  if (command == L"info") return Info(argc, argv);
  if (command == L"list") return List(argc);
  if (command == L"host") return Host(argc, argv);
  if (command == L"cover") return Cover(argc, argv);
  if (command == L"idle") return Idle(argc, argv);
  if (command == L"move") return Move(argc, argv);
  if (command == L"activate") return Activate(argc, argv);
  if (command == L"type") return Type(argc, argv);
  if (command == L"text") return Text(argc, argv);
  if (command == L"foreground") return Foreground(argc);
  return Usage();
}
