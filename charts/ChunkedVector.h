#pragma once

// A growing array kept in chunks of a fixed size: appending never moves the
// elements already there (no copy, no doubled capacity held while growing),
// and finding one is a shift and a mask. The first chunk starts small and
// doubles up to the full size, so that a short list stays small; full
// chunks of 2 MiB or more are taken as large memory (core/LargeMemory.h).

#include "core/LargeMemory.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

template <typename T, std::size_t Bits>
class ChunkedVector
{
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "elements are copied as bytes and never destroyed");

public:
    static constexpr std::size_t ChunkSize = std::size_t(1) << Bits;

    ChunkedVector() = default;
    ChunkedVector(const ChunkedVector &) = delete;
    ChunkedVector &operator=(const ChunkedVector &) = delete;
    ChunkedVector(ChunkedVector &&other) noexcept
        : m_chunks(std::move(other.m_chunks)), m_count(std::exchange(other.m_count, 0)),
          m_firstCapacity(std::exchange(other.m_firstCapacity, 0))
    {
    }
    ChunkedVector &operator=(ChunkedVector &&other) noexcept
    {
        if (this != &other) {
            release();
            m_chunks = std::move(other.m_chunks);
            m_count = std::exchange(other.m_count, 0);
            m_firstCapacity = std::exchange(other.m_firstCapacity, 0);
        }
        return *this;
    }
    ~ChunkedVector() { release(); }

    void clear()
    {
        release();
        m_chunks.clear();
        m_chunks.shrink_to_fit();
        m_count = 0;
        m_firstCapacity = 0;
    }
    void push_back(const T &value)
    {
        const std::size_t at = m_count & (ChunkSize - 1);
        if (at == 0)
            m_chunks.push_back(m_chunks.empty() ? startFirst() : allocate(ChunkSize));
        else if (m_count == m_firstCapacity)
            growFirst();
        ::new (m_chunks.back() + at) T(value);
        ++m_count;
    }
    std::size_t size() const { return m_count; }
    const T &operator[](std::size_t i) const { return m_chunks[i >> Bits][i & (ChunkSize - 1)]; }
    T &operator[](std::size_t i) { return m_chunks[i >> Bits][i & (ChunkSize - 1)]; }
    T &back() { return (*this)[m_count - 1]; }
    // Bytes taken: the full chunks, and of the last one what was written,
    // in the pages it was taken in.
    std::size_t bytes() const
    {
        if (m_chunks.empty())
            return 0;
        const std::size_t pointers = m_chunks.capacity() * sizeof(T *);
        if (m_chunks.size() == 1 && m_firstCapacity < ChunkSize)
            return pointers + m_firstCapacity * sizeof(T);
        const std::size_t inLast = (m_count - 1) % ChunkSize + 1;
        const std::size_t page = isLarge(ChunkSize) ? LargePageBytes : 4096;
        const std::size_t lastBytes = std::min(ChunkSize * sizeof(T), (inLast * sizeof(T) + page - 1) / page * page);
        return pointers + (m_chunks.size() - 1) * ChunkSize * sizeof(T) + lastBytes;
    }

private:
    static constexpr std::size_t FirstCapacity = ChunkSize < 64 ? ChunkSize : 64;
    static bool isLarge(std::size_t capacity) { return capacity * sizeof(T) >= LargePageBytes; }
    static T *allocate(std::size_t capacity)
    {
        const std::size_t bytes = capacity * sizeof(T);
        return static_cast<T *>(isLarge(capacity) ? AllocateLarge(bytes) : ::operator new(bytes));
    }
    static void free(T *chunk, std::size_t capacity) noexcept
    {
        if (isLarge(capacity))
            FreeLarge(chunk, capacity * sizeof(T));
        else
            ::operator delete(chunk);
    }
    T *startFirst()
    {
        m_firstCapacity = FirstCapacity;
        return allocate(m_firstCapacity);
    }
    void growFirst()
    {
        const std::size_t capacity = std::min(ChunkSize, m_firstCapacity * 2);
        T *grown = allocate(capacity);
        std::memcpy(static_cast<void *>(grown), m_chunks.front(), m_count * sizeof(T));
        free(m_chunks.front(), m_firstCapacity);
        m_chunks.front() = grown;
        m_firstCapacity = capacity;
    }
    void release() noexcept
    {
        for (std::size_t c = 0; c < m_chunks.size(); ++c)
            free(m_chunks[c], c == 0 ? m_firstCapacity : ChunkSize);
    }

    std::vector<T *> m_chunks;
    std::size_t m_count = 0;
    std::size_t m_firstCapacity = 0; // of chunk 0, which doubles until ChunkSize
};
