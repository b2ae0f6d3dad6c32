// Built by the clang-cl check: the processor paths and the format checks
// take their MSVC branches, with nothing but the compiler's own headers.
#include "imageproc/cpu_paths.h"
#include "kbx_format.h"

#if !defined(_MSC_VER) || defined(__SSE2__) || defined(__SIZEOF_INT128__)
#error "not compiled as cl.exe sees a source"
#endif
static_assert(KBX_SSE2 == KBX_EXPECT_SSE2, "SSE2 path chosen wrongly for this target");

uint64_t probe_high(uint64_t a, uint64_t b) { return kbx::high_product(a, b); }

#if KBX_SSE2
__m128i probe_sum(__m128i a, __m128i b) { return _mm_add_epi32(a, b); }
#endif

void probe_print(KBX_PRINTF_FORMAT const char* format, ...) KBX_PRINTF_CHECK(1, 2);
void probe_call() { probe_print("%d %s", 1, "x"); }
