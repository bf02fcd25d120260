#pragma once

// A growing array kept in chunks of a fixed size: appending never moves the
// elements already there (no copy, no doubled capacity held while growing),
// and finding one is a shift and a mask.

#include <cstddef>
#include <memory>
#include <vector>

template <typename T, std::size_t Bits>
class ChunkedVector
{
public:
    static constexpr std::size_t ChunkSize = std::size_t(1) << Bits;

    void clear()
    {
        m_chunks.clear();
        m_chunks.shrink_to_fit();
        m_count = 0;
    }
    void push_back(const T &value)
    {
        if ((m_count & (ChunkSize - 1)) == 0)
            m_chunks.push_back(std::make_unique_for_overwrite<T[]>(ChunkSize));
        m_chunks.back()[m_count & (ChunkSize - 1)] = value;
        ++m_count;
    }
    std::size_t size() const { return m_count; }
    const T &operator[](std::size_t i) const { return m_chunks[i >> Bits][i & (ChunkSize - 1)]; }
    T &operator[](std::size_t i) { return m_chunks[i >> Bits][i & (ChunkSize - 1)]; }
    T &back() { return (*this)[m_count - 1]; }
    // Bytes held, the unused end of the last chunk included.
    std::size_t bytes() const { return m_chunks.size() * ChunkSize * sizeof(T) + m_chunks.capacity() * sizeof(void *); }

private:
    std::vector<std::unique_ptr<T[]>> m_chunks;
    std::size_t m_count = 0;
};
