#pragma once

// The ceiling of a dive worked out on a thread of its own while the dive is
// still being read: the reading side hands on each sample as it comes, and
// the model follows them in order. `finish` waits for the last and gives
// the ceiling, the same as from the whole dive at once.

#include "profiles/model/DiveCeiling.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
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
    static constexpr std::size_t ChunkSize = 8192;

    void handOver();
    void follow();

    std::unique_ptr<DiveCeiling> m_ceiling;
    std::vector<CeilingSample> m_chunk; // the adding side's
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<CeilingSample>> m_chunks;
    bool m_closed = false;
    bool m_dropped = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};
