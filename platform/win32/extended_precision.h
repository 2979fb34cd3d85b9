#pragma once

// The game's formulas are evaluated in 80-bit extended precision. On x86 that needs the x87
// unit's precision control at 64 bits, which a Windows thread may start with set to 53 bits.

namespace townwright::win32 {

// Sets the x87 precision control of the calling thread to 64 bits where long double is the x87
// extended type; does nothing elsewhere (MSVC's long double is a double).
void UseExtendedPrecision();

}  // namespace townwright::win32
