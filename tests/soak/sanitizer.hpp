#pragma once
// TAVRIN_ASAN is defined in a build with AddressSanitizer (GCC says so with
// __SANITIZE_ADDRESS__, clang with __has_feature), whose memory figures are
// not the program's own.

#if defined(__SANITIZE_ADDRESS__)
#define TAVRIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRIN_ASAN 1
#endif
#endif
