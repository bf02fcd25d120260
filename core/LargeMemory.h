#pragma once

// Memory for large arrays that are filled once and kept, such as a long
// profile's display list. A block of a multiple of 2 MiB is mapped on a
// 2 MiB boundary and the kernel is asked to back it with huge pages, so
// that filling 100 MB takes some fifty page faults instead of 25,000.
// Pages are only taken as they are first written.

#include <cstddef>

inline constexpr std::size_t LargePageBytes = std::size_t(2) << 20;

// Fresh memory of `bytes`, aligned on LargePageBytes; throws std::bad_alloc
// when the system has none.
void *AllocateLarge(std::size_t bytes);
// Gives back a block from AllocateLarge with the same `bytes`.
void FreeLarge(void *block, std::size_t bytes) noexcept;
