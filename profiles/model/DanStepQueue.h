#pragma once

// What the reading thread of a DAN file draws, handed to the thread that
// shows it in the order drawn: drawing operations and the redraws between
// them, in batches. The reading thread waits while it is a few batches
// ahead, so the queue stays small whatever the size of the file.

#include "core/BatchQueue.h"
#include "profiles/model/DanDrawing.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

// One step in 24 bytes: most are moves, lines and marks, whose fields fit
// here; rectangles, texts and marks of an unusual style are kept whole
// beside the steps.
struct DanStep
{
    enum Kind : std::uint8_t { Draw, DrawWhole, Redraw };
    double x, y; // Draw: the point; else the number below, bit for bit
    QRgb color;
    Kind kind;
    DanDrawOp::Kind op;
    std::uint8_t markStyle;

    static DanStep withNumber(Kind kind, qint64 number)
    {
        return {std::bit_cast<double>(number), 0, 0, kind, DanDrawOp::MoveTo, 0};
    }
    // Redraw: the characters read since line 9; DrawWhole: the index into
    // the batch's whole operations.
    qint64 number() const { return std::bit_cast<qint64>(x); }
};
static_assert(sizeof(DanStep) == 24, "steps stay small");

struct DanStepBatch
{
    std::unique_ptr<DanStep[]> steps; // room for BatchSize, the first `count` written
    std::size_t count = 0;
    std::vector<DanDrawOp> whole;
    bool empty() const { return count == 0; }
    void clear()
    {
        count = 0;
        whole.clear();
    }
};

// Some thousand samples a batch: the threads rarely wait for each other,
// and the batches in flight fit in the processor's cache.
class DanStepQueue : public BatchQueue<DanStepBatch>
{
public:
    static constexpr std::size_t BatchSize = 4096;
    static constexpr std::size_t MaxBatches = 8;

    DanStepQueue() : BatchQueue(MaxBatches) {}
};
