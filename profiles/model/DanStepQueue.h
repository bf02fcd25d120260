#pragma once

// What the reading thread of a DAN file draws, handed to the thread that
// shows it in the order drawn: drawing operations and the redraws between
// them, in batches. The reading
// thread waits while it is a few batches ahead, so the queue stays small
// whatever the size of the file.

#include "profiles/model/DanDrawing.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

// A batch holds some thousands of samples' steps, so that the threads
// rarely wait for each other and waking one costs little beside the work.
//
// One step in 40 bytes: most are moves, lines and marks, whose fields fit
// here; rectangles and texts are kept whole beside the steps.
struct DanStep
{
    enum Kind : std::uint8_t { Draw, DrawWhole, Redraw };
    Kind kind = Draw;
    DanDrawOp::Kind op = DanDrawOp::MoveTo; // Draw
    QRgb color = 0;                         // Draw
    int markStyle = 0;                      // Draw
    double x = 0, y = 0;                    // Draw: the point
    qint64 value = 0;                       // Redraw: characters read since line 9; DrawWhole: index into `whole`
};

struct DanStepBatch
{
    std::vector<DanStep> steps;
    std::vector<DanDrawOp> whole;
    bool empty() const { return steps.empty(); }
    void clear()
    {
        steps.clear();
        whole.clear();
    }
};

class DanStepQueue
{
public:
    static constexpr std::size_t BatchSize = 16384;
    static constexpr std::size_t MaxBatches = 4;

    // Reading side: hands over a full batch (left empty for refilling);
    // waits while the queue is full. False once the showing side stopped.
    bool push(DanStepBatch &batch);
    // Reading side: no more batches will come.
    void close();

    // Showing side: the next batch into `batch` (the one given back is
    // reused); false when the reading side closed and all were taken.
    bool pop(DanStepBatch &batch);
    // Showing side: takes no more; a waiting push returns false.
    void stop();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<DanStepBatch> m_full;
    std::vector<DanStepBatch> m_spare;
    bool m_closed = false;
    bool m_stopped = false;
};
