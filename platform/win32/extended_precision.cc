#include "platform/win32/extended_precision.h"

namespace townwright::win32 {

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

void UseExtendedPrecision() {
  constexpr unsigned short kPrecisionControl = 0x0300;  // bits 8 and 9 of the x87 control word
  unsigned short control = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(control));
  control = static_cast<unsigned short>(control | kPrecisionControl);
  __asm__ __volatile__("fldcw %0" : : "m"(control));
}

#else

void UseExtendedPrecision() {}

#endif

}  // namespace townwright::win32
