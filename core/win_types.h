// Portable spellings of the Win32 value types and message-box codes the plain
// logic uses, so that it builds without <windows.h>. The values are Win32's
// own; the Win32 code checks that they agree.
#ifndef VELBROOK_CORE_WIN_TYPES_H
#define VELBROOK_CORE_WIN_TYPES_H

#include <cstdint>

// Redeclaring the same types as <windows.h> is allowed, so either header may
// come first.
typedef int BOOL;  // 32-bit; 0 is off, any other value is on
#ifdef _WIN32
typedef unsigned long COLORREF;  // 0x00BBGGRR, red in the lowest byte
#else
typedef std::uint32_t COLORREF;  // 0x00BBGGRR, red in the lowest byte
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif

namespace velbrook {

// Message-box styles and answers (the Win32 MB_ and ID values).
enum MessageStyle : unsigned {
  kMbOk = 0x0,
  kMbYesNo = 0x4,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
  kMbDefButton2 = 0x100,
};
enum MessageAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// Bytes for a path of MAX_PATH (260) UTF-16 units as the A functions give
// it: under the UTF-8 process code page a unit takes up to 3 bytes, so a
// buffer of MAX_PATH bytes would cut a path of Japanese names at a third.
const unsigned kMaxPathBytes = 3 * 260;

}  // namespace velbrook

#endif
