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
    m_chunks.stop();
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
    // After the model failed nobody takes the samples: they are dropped,
    // and `finish` tells why.
    if (!m_chunk.empty() && !m_chunks.push(m_chunk))
        m_chunk.clear();
}

std::unique_ptr<DiveCeiling> CeilingFollower::finish()
{
    handOver();
    m_chunks.close();
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
        Chunk chunk;
        while (m_chunks.pop(chunk))
            for (const CeilingSample &sample : chunk)
                m_ceiling->add(sample);
    } catch (...) {
        m_failure = std::current_exception();
        m_chunks.stop();
    }
}
