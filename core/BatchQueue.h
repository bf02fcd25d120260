#pragma once

// Batches handed from one thread to another, in order. The giving side waits
// while `maxBatches` are waiting to be taken, so that a fast producer holds
// little memory however long the stream. Batches taken are given back for
// reuse, so that a long stream allocates only the few in flight.
//
// `Batch` is movable, default-constructible, and has clear(), which empties
// it and may keep its storage.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

template <typename Batch>
class BatchQueue
{
public:
    explicit BatchQueue(std::size_t maxBatches) : m_maxBatches(maxBatches) {}
    BatchQueue(const BatchQueue &) = delete;
    BatchQueue &operator=(const BatchQueue &) = delete;

    // Giving side: hands over `batch`, which becomes an empty one to refill
    // (one given back, when there is one); waits while the queue is full.
    // False, with `batch` kept, once the taking side stopped.
    bool push(Batch &batch)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_stopped || m_full.size() < m_maxBatches; });
        if (m_stopped)
            return false;
        m_full.push_back(std::move(batch));
        batch = Batch();
        if (!m_spare.empty()) {
            batch = std::move(m_spare.back());
            m_spare.pop_back();
        }
        m_changed.notify_all();
        return true;
    }
    // Giving side: no more batches will come.
    void close()
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }

    // Taking side: gives `batch` back for reuse and takes the next into it;
    // false when the giving side closed and all were taken, or once stopped.
    bool pop(Batch &batch)
    {
        std::unique_lock lock(m_mutex);
        batch.clear();
        m_spare.push_back(std::move(batch));
        batch = Batch();
        m_changed.wait(lock, [this] { return m_stopped || m_closed || !m_full.empty(); });
        if (m_stopped || m_full.empty())
            return false;
        batch = std::move(m_full.front());
        m_full.pop_front();
        m_changed.notify_all();
        return true;
    }
    // Either side: nothing more is handed over or taken; a waiting push or
    // pop returns false, and what was waiting to be taken is dropped.
    void stop()
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_full.clear();
        m_changed.notify_all();
    }

private:
    const std::size_t m_maxBatches;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_full;
    std::vector<Batch> m_spare;
    bool m_closed = false;
    bool m_stopped = false;
};
