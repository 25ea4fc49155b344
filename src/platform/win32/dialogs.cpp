// The common file dialogs, the text-input dialog and the shell.
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"
// After the system headers win32_platform.h brings in.
#include <commdlg.h>

#include <cstddef>
#include <vector>

namespace tk {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;
constexpr int kEditId = 100;
constexpr int kPromptId = 101;
// Room for a long path; the dialog reports a larger need as an error.
constexpr std::size_t kPathBufferChars = 32768;

// "description|pattern" as the dialog wants it: parts ended by NUL, the
// whole ended by a second NUL.
std::wstring FilterString(const std::string& filter) {
  std::wstring wide = win32::WideFromSjis(filter);
  for (wchar_t& c : wide) {
    if (c == L'|') c = L'\0';
  }
  wide.push_back(L'\0');
  wide.push_back(L'\0');
  return wide;
}

struct InputDialogRun {
  const InputDialogLayout* layout;
  // Where the engine's picture-pixel layout meets the monitor it opens on.
  win32::MonitorFrame frame;
  HFONT font = nullptr;
  std::optional<std::wstring> result;
};

HWND AddControl(HWND dialog, const wchar_t* window_class, const std::string& text, DWORD style,
                const Rect& rect, int id, HFONT font) {
  const HWND control =
      CreateWindowExW(window_class == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0, window_class,
                      win32::WideFromSjis(text).c_str(), WS_CHILD | WS_VISIBLE | style, rect.left,
                      rect.top, rect.Width(), rect.Height(), dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (control != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void LayOutInputDialog(HWND dialog, InputDialogRun& state) {
  const InputDialogLayout& layout = *state.layout;
  const int k = state.frame.factor;
  state.font =
      CreateFontW(-MulDiv(layout.font_points, 96 * k, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                  SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH, win32::WideFromSjis(layout.font_name).c_str());
  SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
  SetWindowTextW(dialog, win32::WideFromSjis(layout.caption).c_str());

  // The label grows with its text from its corner, as an auto-sized label does.
  Rect prompt = Scaled(layout.prompt.rect, k);
  {
    HDC dc = GetDC(dialog);
    const HGDIOBJ old = SelectObject(dc, state.font);
    const std::wstring text = win32::WideFromSjis(layout.prompt.text);
    RECT measured{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    prompt.right = prompt.left + measured.right;
    prompt.bottom = prompt.top + measured.bottom;
  }
  AddControl(dialog, L"STATIC", layout.prompt.text, SS_LEFT | SS_NOPREFIX, prompt, kPromptId,
             state.font);
  const HWND edit = AddControl(dialog, L"EDIT", layout.edit.text, WS_TABSTOP | ES_AUTOHSCROLL,
                               Scaled(layout.edit.rect, k), kEditId, state.font);
  AddControl(dialog, L"BUTTON", layout.cancel.text, WS_TABSTOP | BS_PUSHBUTTON,
             Scaled(layout.cancel.rect, k), IDCANCEL, state.font);
  AddControl(dialog, L"BUTTON", layout.ok.text, WS_TABSTOP | BS_DEFPUSHBUTTON,
             Scaled(layout.ok.rect, k), IDOK, state.font);
  SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(layout.max_length), 0);

  RECT frame{0, 0, layout.client_width * k, layout.client_height * k};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
  const POINT corner = state.frame.ToDevice(Point{layout.left, layout.top});
  SetWindowPos(dialog, HWND_TOPMOST, corner.x, corner.y, frame.right - frame.left,
               frame.bottom - frame.top, 0);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<InputDialogRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      LayOutInputDialog(dialog, *reinterpret_cast<InputDialogRun*>(lparam));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK && state != nullptr) {
        const HWND edit = GetDlgItem(dialog, kEditId);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        state->result = std::move(text);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

// An empty dialog template; the controls are made in pixels at WM_INITDIALOG.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD window_class = 0;
  WORD title = 0;
};

}  // namespace

std::optional<std::string> Win32Platform::ShowFileDialog(const FileDialogRequest& request) {
  const std::wstring filter = FilterString(request.filter);
  const std::wstring title = win32::WideFromSjis(request.title);
  const std::wstring folder = win32::WideFromSjis(request.initial_folder);
  std::vector<wchar_t> path(kPathBufferChars, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = MainWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.filter_index);
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  BOOL confirmed = FALSE;
  const SystemLoop loop(*this);
  if (request.save) {
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    confirmed = GetSaveFileNameW(&dialog);
  } else {
    dialog.Flags |= OFN_FILEMUSTEXIST;
    confirmed = GetOpenFileNameW(&dialog);
  }
  if (!confirmed) return std::nullopt;
  return win32::SjisFromWide(path.data());
}

Rect Win32Platform::DialogWindowSize(int client_width, int client_height) const {
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
  return {0, 0, frame.right - frame.left, frame.bottom - frame.top};
}

std::optional<std::string> Win32Platform::ShowInputDialog(WindowId owner,
                                                          const InputDialogLayout& layout) {
  EmptyDialogTemplate dialog_template{};
  dialog_template.header.style = kDialogStyle;
  dialog_template.header.dwExtendedStyle = kDialogExStyle;
  const Rect where{layout.left, layout.top, layout.left + layout.client_width,
                   layout.top + layout.client_height};
  InputDialogRun state{&layout, win32::FrameForLogical(Frames(), where), nullptr, std::nullopt};
  HWND owner_window = WindowHandle(owner);
  const SystemLoop loop(*this);
  const INT_PTR answer = DialogBoxIndirectParamW(
      instance_, &dialog_template.header, owner_window != nullptr ? owner_window : app_window_,
      InputDialogProc, reinterpret_cast<LPARAM>(&state));
  if (state.font != nullptr) DeleteObject(state.font);
  if (answer != IDOK || !state.result) return std::nullopt;
  return win32::SjisFromWide(*state.result);
}

void Win32Platform::ShellOpen(const std::string& file, const std::string& parameters) {
  // The shell may ask the user something before it returns.
  const SystemLoop loop(*this);
  ShellExecuteW(app_window_, nullptr, win32::WideFromSjis(file).c_str(),
                win32::WideFromSjis(parameters).c_str(), nullptr, SW_SHOW);
}

}  // namespace tk
