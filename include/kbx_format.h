// Checking of printf-style calls against their format, for KBX_Print and
// KBX_DrawText. GCC and clang (clang-cl too) check every call; on MinGW with
// the GNU formats, the ones the framework formats with. MSVC checks calls
// under code analysis (/analyze), through the annotation on the format.
//   void f(KBX_PRINTF_FORMAT const char* format, ...) KBX_PRINTF_CHECK(1, 2);
#ifndef KBX_FORMAT_H
#define KBX_FORMAT_H

#if defined(__GNUC__) || defined(__clang__)
#if defined(__MINGW32__)
#define KBX_PRINTF_CHECK(format_index, first_argument) \
    __attribute__((format(gnu_printf, format_index, first_argument)))
#else
#define KBX_PRINTF_CHECK(format_index, first_argument) __attribute__((format(printf, format_index, first_argument)))
#endif
#define KBX_PRINTF_FORMAT
#elif defined(_MSC_VER)
#include <sal.h>
#define KBX_PRINTF_CHECK(format_index, first_argument)
#define KBX_PRINTF_FORMAT _Printf_format_string_
#else
#define KBX_PRINTF_CHECK(format_index, first_argument)
#define KBX_PRINTF_FORMAT
#endif

#endif
