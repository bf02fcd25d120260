#include "profiles/model/CeilingFollower.h"

CeilingFollower::CeilingFollower(std::vector<DiveMix> mixes, const deco::DecoSettings &settings,
                                 std::size_t expectedSamples)
    : m_ceiling(std::make_unique<DiveCeiling>(std::move(mixes), settings))
{
    m_ceiling->reserve(expectedSamples);
    m_thread = std::thread([this] { follow(); });
}

CeilingFollower::~CeilingFollower()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closed = m_dropped = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void CeilingFollower::add(const CeilingSample &sample)
{
    if (m_chunk.capacity() == 0)
        m_chunk.reserve(ChunkSize);
    m_chunk.push_back(sample);
    if (m_chunk.size() == ChunkSize)
        handOver();
}

void CeilingFollower::handOver()
{
    if (m_chunk.empty())
        return;
    const std::lock_guard lock(m_mutex);
    m_chunks.push_back(std::move(m_chunk));
    m_chunk = {};
    m_changed.notify_all();
}

std::unique_ptr<DiveCeiling> CeilingFollower::finish()
{
    handOver();
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }
    m_thread.join();
    if (m_failure)
        std::rethrow_exception(m_failure);
    m_ceiling->finish();
    if (m_ceiling->empty())
        return nullptr;
    return std::move(m_ceiling);
}

void CeilingFollower::follow()
{
    try {
        for (;;) {
            std::vector<CeilingSample> chunk;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return m_closed || !m_chunks.empty(); });
                if (m_dropped || m_chunks.empty())
                    return;
                chunk = std::move(m_chunks.front());
                m_chunks.pop_front();
            }
            for (const CeilingSample &sample : chunk)
                m_ceiling->add(sample);
        }
    } catch (...) {
        m_failure = std::current_exception();
    }
}
