// What the fuzz targets share: a property check that stops the run with
// the failed condition, so libFuzzer keeps the input that broke it.
#ifndef KBX_FUZZ_CHECK_H
#define KBX_FUZZ_CHECK_H

#include <cstdio>
#include <cstdlib>

#define KBX_CHECK(condition)                                                                  \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

#endif
