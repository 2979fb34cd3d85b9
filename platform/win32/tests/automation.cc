#include "platform/win32/tests/automation.h"

#include <algorithm>
#include <vector>

namespace townwright::win32::automation {
namespace {

UINT Milliseconds(std::chrono::milliseconds patience) {
  return static_cast<UINT>(std::clamp<long long>(patience.count(), 0, 0x7FFFFFFF));
}

struct Search {
  std::string_view caption;
  DWORD process_id;
  bool other_desktop;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM l_param) {
  auto& search = *reinterpret_cast<Search*>(l_param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search.process_id != 0 && owner != search.process_id) return TRUE;
  // Seen from another desktop, no window counts as visible; its own style still says it is shown.
  const bool shown = search.other_desktop ? (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0
                                          : IsWindowVisible(window) != 0;
  if (!shown) return TRUE;
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof(caption));
  if (search.caption != caption) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

std::optional<Process> Process::Start(const std::string& program, const std::string& arguments) {
  std::string command_line = "\"" + program + "\"";
  if (!arguments.empty()) command_line += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    return std::nullopt;
  }
  return Process(info);
}

Process::Process(Process&& other) noexcept : info_(other.info_) { other.info_ = {}; }

Process::~Process() {
  if (info_.hProcess == nullptr) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 10000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

HWND Process::WaitForWindow(std::string_view caption, std::chrono::milliseconds patience) const {
  const auto give_up = std::chrono::steady_clock::now() + patience;
  do {
    if (HWND window = FindVisibleWindow(caption, info_.dwProcessId)) return window;
    if (WaitForSingleObject(info_.hProcess, 1) != WAIT_TIMEOUT) return nullptr;  // it ended
  } while (std::chrono::steady_clock::now() < give_up);
  return nullptr;
}

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds patience) const {
  if (WaitForSingleObject(info_.hProcess, Milliseconds(patience)) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD status = 0;
  if (!GetExitCodeProcess(info_.hProcess, &status)) return std::nullopt;
  return status;
}

HWND FindVisibleWindow(std::string_view caption, DWORD process_id, HDESK desktop) {
  Search search{caption, process_id, desktop != nullptr, nullptr};
  if (desktop != nullptr) {
    EnumDesktopWindows(desktop, &CheckWindow, reinterpret_cast<LPARAM>(&search));
  } else {
    EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

bool Click(HWND window, int id, std::chrono::milliseconds patience) {
  const HWND button = GetDlgItem(window, id);
  if (button == nullptr) return false;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, Milliseconds(patience),
                             &answer) != 0;
}

std::string Text(HWND window, int id) {
  const HWND control = GetDlgItem(window, id);
  if (control == nullptr) return "";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length)) return "";
  std::vector<char> text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_NORMAL, 10000, &copied)) {
    return "";
  }
  return std::string(text.data(), std::min<std::size_t>(copied, length));
}

bool SetText(HWND window, int id, const std::string& text) {
  const HWND control = GetDlgItem(window, id);
  if (control == nullptr) return false;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_NORMAL, 10000, &answer) != 0;
}

std::string ProgramBeside(const std::string& file_name) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path, length);
  const auto slash = directory.find_last_of("\\/");
  directory.resize(slash == std::string::npos ? 0 : slash + 1);
  return directory + file_name;
}

}  // namespace townwright::win32::automation
