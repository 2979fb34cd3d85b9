// townwright.exe: the game in a Windows dialog.

#include <windows.h>

#include "data/random_source.h"
#include "platform/win32/extended_precision.h"
#include "platform/win32/win32_platform.h"
#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The figures are computed in 80-bit precision; a Windows thread may start with 53.
  townwright::win32::UseExtendedPrecision();
  townwright::win32::Win32Platform platform;
  return townwright::RunTownwright(platform, townwright::SeedFromTimeOfDay());
}
