// The baseline of the Windows measurements: the smallest program that shows a dialog the way the
// game does (an in-memory template without controls, the same style and font, the same message
// loop) and ends on a system close. Built with the same compiler and flags as townwright.exe.

#include <windows.h>

namespace {

constexpr char kCaption[] = "Minimal dialog";
constexpr DWORD kStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | DS_NOFAILCREATE;

// DLGTEMPLATE of 133, 127, 425 x 324 units, then no menu, the dialog class, no caption, 8-point
// "MS Sans Serif"; 32-bit words keep it aligned as the system wants.
struct alignas(4) Template {
  WORD words[27] = {LOWORD(kStyle),
                    HIWORD(kStyle),
                    0,
                    0,
                    0,
                    133,
                    127,
                    425,
                    324,
                    0,
                    0,
                    0,
                    8,
                    'M',
                    'S',
                    ' ',
                    'S',
                    'a',
                    'n',
                    's',
                    ' ',
                    'S',
                    'e',
                    'r',
                    'i',
                    'f',
                    0};
};

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM w_param, LPARAM) {
  if (message == WM_SYSCOMMAND && (w_param & 0xFFF0) == SC_CLOSE) DestroyWindow(window);
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  static const Template dialog_template;
  const HWND dialog = CreateDialogIndirectParamA(
      GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(&dialog_template), nullptr,
      &Procedure, 0);
  if (dialog == nullptr) return 0;
  SetWindowTextA(dialog, kCaption);
  ShowWindow(dialog, SW_SHOWNORMAL);
  MSG message;
  while (IsWindow(dialog)) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (message.message == WM_QUIT) break;
    if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return 0;
}
