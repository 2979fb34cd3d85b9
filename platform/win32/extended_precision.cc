#include "platform/win32/extended_precision.h"

namespace townwright::win32 {

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

namespace {

constexpr unsigned short kPrecisionControl = 0x0300;  // bits 8 and 9 of the x87 control word

unsigned short ReadControlWord() {
  unsigned short control = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(control));
  return control;
}

}  // namespace

void UseExtendedPrecision() {
  const auto control = static_cast<unsigned short>(ReadControlWord() | kPrecisionControl);
  __asm__ __volatile__("fldcw %0" : : "m"(control));
}

int X87PrecisionBits() {
  switch (ReadControlWord() & kPrecisionControl) {
    case 0x0000:
      return 24;
    case 0x0200:
      return 53;
    case 0x0300:
      return 64;
    default:
      return 0;  // 0x0100 is reserved
  }
}

#else

void UseExtendedPrecision() {}

int X87PrecisionBits() { return 0; }

#endif

}  // namespace townwright::win32
