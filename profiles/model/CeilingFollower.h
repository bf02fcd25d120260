#pragma once

// The ceiling of a dive worked out on a thread of its own while the dive is
// still being read: the reading side hands on each sample as it comes, and
// the model follows them in order. `finish` waits for the last and gives
// the ceiling, the same as from the whole dive at once.

#include "core/BatchQueue.h"
#include "profiles/model/DiveCeiling.h"

#include <exception>
#include <memory>
#include <thread>
#include <vector>

class CeilingFollower
{
public:
    // `expectedSamples`: about how many samples will come.
    CeilingFollower(std::vector<DiveMix> mixes, const deco::DecoSettings &settings, std::size_t expectedSamples = 0);
    // Drops what is still to come and ends the thread.
    ~CeilingFollower();
    CeilingFollower(const CeilingFollower &) = delete;
    CeilingFollower &operator=(const CeilingFollower &) = delete;

    // From one thread, in the dive's order.
    void add(const CeilingSample &sample);
    // After the last add, on any thread: the ceiling, or nothing for a dive
    // without samples. Raises what the model raised.
    std::unique_ptr<DiveCeiling> finish();

private:
    using Chunk = std::vector<CeilingSample>;
    static constexpr std::size_t ChunkSize = 8192;
    // The reading side waits when the model is this many chunks behind.
    static constexpr std::size_t MaxChunks = 16;

    void handOver();
    void follow();

    std::unique_ptr<DiveCeiling> m_ceiling;
    Chunk m_chunk; // the adding side's
    BatchQueue<Chunk> m_chunks{MaxChunks};
    std::exception_ptr m_failure; // the model's, set before its thread ends
    std::thread m_thread;
};
