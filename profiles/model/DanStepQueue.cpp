#include "profiles/model/DanStepQueue.h"

bool DanStepQueue::push(DanStepBatch &batch)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_stopped || m_full.size() < MaxBatches; });
    if (m_stopped)
        return false;
    m_full.push_back(std::move(batch));
    batch = DanStepBatch();
    if (!m_spare.empty()) {
        batch = std::move(m_spare.back());
        m_spare.pop_back();
    }
    m_changed.notify_all();
    return true;
}

void DanStepQueue::close()
{
    const std::lock_guard lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
}

bool DanStepQueue::pop(DanStepBatch &batch)
{
    std::unique_lock lock(m_mutex);
    if (batch.steps) {
        batch.clear();
        m_spare.push_back(std::move(batch));
        batch = DanStepBatch();
    }
    m_changed.wait(lock, [this] { return m_closed || !m_full.empty(); });
    if (m_full.empty())
        return false;
    batch = std::move(m_full.front());
    m_full.pop_front();
    m_changed.notify_all();
    return true;
}

void DanStepQueue::stop()
{
    const std::lock_guard lock(m_mutex);
    m_stopped = true;
    m_full.clear();
    m_changed.notify_all();
}
