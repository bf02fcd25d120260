#include "profiles/model/DanReader.h"

#include "core/Errors.h"
#include "profiles/model/DanFields.h"
#include "profiles/model/DanLineReader.h"
#include "profiles/model/DanProfile.h"
#include "profiles/model/DanStepQueue.h"

#include <QFileInfo>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr int FirstSampleLine = 9;

QString textOf(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

QString fieldOf(const QString &line, int number)
{
    const QByteArray bytes = line.toLatin1();
    return textOf(DanField(std::string_view(bytes.constData(), std::size_t(bytes.size())), number));
}

// Writes a step around the processor's caches. A batch is written here
// and read on the other thread, then written here again: stored the usual
// way, each of its cache lines would first be fetched back from the other
// thread's cache, which costs more than the reading of the file.
void writeStep(DanStep *to, const DanStep &step)
{
#if defined(__SSE2__)
    long long words[3];
    static_assert(sizeof words == sizeof step);
    std::memcpy(words, &step, sizeof words);
    long long *out = reinterpret_cast<long long *>(to);
    _mm_stream_si64(out, words[0]);
    _mm_stream_si64(out + 1, words[1]);
    _mm_stream_si64(out + 2, words[2]);
#else
    *to = step;
#endif
}

// Makes the steps written around the caches visible before the batch is
// handed over.
void stepsWritten()
{
#if defined(__SSE2__)
    _mm_sfence();
#endif
}

// Draws into the queue: what the reading thread's profile draws, with the
// redraws between, in batches.
class QueuedPlotter final : public DanPlotter
{
public:
    QueuedPlotter(DanStepQueue &queue, bool redraws) : m_queue(queue), m_redraws(redraws) {}

    void draw(const DanDrawOp &op) override
    {
        // A step holds a point, a colour and a small mark style.
        const bool compact = (op.kind == DanDrawOp::MoveTo || op.kind == DanDrawOp::LineTo
                              || op.kind == DanDrawOp::Mark)
                             && op.markStyle >= 0 && op.markStyle <= 255 && op.x2 == 0 && op.y2 == 0
                             && op.text.isNull();
        if (compact) {
            add({op.x, op.y, op.color, DanStep::Draw, op.kind, std::uint8_t(op.markStyle)});
            return;
        }
        add(DanStep::withNumber(DanStep::DrawWhole, qint64(m_batch.whole.size())));
        m_batch.whole.push_back(op);
    }
    void redraw(qint64 position)
    {
        if (m_redraws)
            add(DanStep::withNumber(DanStep::Redraw, position));
    }
    // Hands over what was gathered; throws Stopped once nobody takes it.
    void flush()
    {
        if (m_batch.empty())
            return;
        stepsWritten();
        if (!m_queue.push(m_batch))
            throw Stopped();
    }

    struct Stopped
    {
    };

private:
    void add(const DanStep &step)
    {
        if (m_batch.count == DanStepQueue::BatchSize)
            flush();
        if (!m_batch.steps)
            m_batch.steps = std::make_unique_for_overwrite<DanStep[]>(DanStepQueue::BatchSize);
        writeStep(&m_batch.steps[m_batch.count++], step);
    }

    DanStepQueue &m_queue;
    const bool m_redraws;
    DanStepBatch m_batch;
};

// How reading the samples ended, for the result.
struct SamplesEnd
{
    bool severalDives = false;
    QString message;
    int messageLine = 0;
    std::exception_ptr failure; // anything else that went wrong, raised again on the caller's thread
};

// Runs `work` on a thread of its own, which is always joined: when the
// drawing side fails, the queue is stopped first so that the thread ends.
class SampleThread
{
public:
    SampleThread(DanStepQueue &queue, std::function<void()> work)
        : m_queue(queue), m_thread([this, work = std::move(work)] {
              work();
              m_queue.close();
          })
    {
    }
    ~SampleThread()
    {
        m_queue.stop();
        m_thread.join();
    }
    SampleThread(const SampleThread &) = delete;
    SampleThread &operator=(const SampleThread &) = delete;

private:
    DanStepQueue &m_queue;
    std::thread m_thread;
};

// The sample lines from line 9 on, parsed and drawn until the file or the
// dive ends. Nothing it raises leaves the thread.
SamplesEnd readSamples(DanLineReader &reader, DanProfile &profile, QueuedPlotter &queued, int step, int lineNumber,
                       qint64 &position) noexcept
{
    SamplesEnd end;
    // The final sample is always drawn, also when the step test skipped it.
    std::string skipped;
    int skippedLine = 0;
    int parseLine = 0;
    std::string_view line;
    try {
        while (reader.next(line)) {
            ++lineNumber;
            if (DanIsEmptyLine(line))
                continue;
            if (!DanBeginsWithBlank(line)) {
                end.severalDives = true;
                break;
            }
            position += qint64(line.size());
            if (position % step == 0) {
                skippedLine = 0;
                parseLine = lineNumber;
                profile.ParseData(line);
            } else {
                skipped.assign(line);
                skippedLine = lineNumber;
            }
        }
        if (skippedLine > 0 && !end.severalDives) {
            parseLine = skippedLine;
            profile.ParseData(skipped);
        }
    } catch (const ConvertError &error) {
        end.message = error.message();
        end.messageLine = parseLine;
    } catch (const QueuedPlotter::Stopped &) {
    } catch (...) {
        end.failure = std::current_exception();
    }
    // What was drawn before the end, an error included, is shown.
    try {
        queued.flush();
    } catch (const QueuedPlotter::Stopped &) {
    } catch (...) {
        if (!end.failure)
            end.failure = std::current_exception();
    }
    return end;
}

void showSteps(const DanStepBatch &batch, const DanLoadOptions &options, DanPlotter &plotter)
{
    DanDrawOp op;
    for (std::size_t i = 0; i < batch.count; ++i) {
        const DanStep &step = batch.steps[i];
        switch (step.kind) {
        case DanStep::Draw:
            op.kind = step.op;
            op.color = step.color;
            op.markStyle = step.markStyle;
            op.x = step.x;
            op.y = step.y;
            plotter.draw(op);
            break;
        case DanStep::DrawWhole: plotter.draw(batch.whole[std::size_t(step.number())]); break;
        case DanStep::Redraw: options.redraw(step.number()); break;
        }
    }
}

} // namespace

QString DanHeader::chartCaption() const { return QStringLiteral("Dive # %1 on %2 %3").arg(diveNumber, date, time); }

DanHeader DanReadIdentification(const QString &line1)
{
    DanHeader header;
    const qsizetype dot = line1.indexOf(u'.');
    header.serial = (dot < 0 ? line1 : line1.left(dot)).trimmed();
    const QString first = fieldOf(line1, 1);
    const qsizetype extension = first.lastIndexOf(u'.');
    header.baseName = extension < 0 ? first : first.left(extension);
    return header;
}

void DanReadDiveHeader(const QString &line2, DanHeader &header)
{
    header.diveNumber = line2.left(2);
    header.date = fieldOf(line2, 2);
    header.time = fieldOf(line2, 3);
    header.gasUsed = fieldOf(line2, 6);
    const qsizetype p = header.gasUsed.indexOf(u'P');
    if (p >= 0)
        header.gasUsed = header.gasUsed.left(p) + QStringLiteral(" PSI");
    header.averageTemperature = fieldOf(line2, 7);
    header.tank = fieldOf(line2, 8);
}

DanLoadResult LoadDanFile(const QString &path, const DanLoadOptions &options, DanPlotter &plotter)
{
    DanLoadResult result;
    DanLineReader reader(path);
    if (!reader.openError().isEmpty()) {
        result.message = reader.openError();
        return result;
    }
    result.opened = true;

    DanDrawOp start;
    plotter.draw(start); // the pen at (0, 0)

    std::string_view line;
    int lineNumber = 0;
    while (lineNumber < FirstSampleLine - 1 && reader.next(line)) {
        ++lineNumber;
        if (lineNumber == 1)
            result.header = DanReadIdentification(textOf(line));
        else if (lineNumber == 2)
            DanReadDiveHeader(textOf(line), result.header);
    }

    // The samples are read and parsed on a thread of their own while this
    // one draws what they give, in the same order.
    DanStepQueue queue;
    QueuedPlotter queued(queue, bool(options.redraw));
    qint64 position = 0;
    DanProfile profile(queued, options.animate, [&] { queued.redraw(position); });
    if (options.sample)
        profile.setSampleSink(options.sample);
    SamplesEnd end;
    {
        SampleThread reading(queue, [&] {
            end = readSamples(reader, profile, queued, std::max(1, options.resolutionStep), lineNumber, position);
        });
        DanStepBatch batch;
        while (queue.pop(batch))
            showSteps(batch, options, plotter);
    }
    if (end.failure)
        std::rethrow_exception(end.failure);

    result.severalDives = end.severalDives;
    result.message = end.message;
    result.messageLine = end.messageLine;
    if (result.message.isEmpty() && !end.severalDives && !reader.readError().isEmpty())
        result.message = reader.readError();
    result.maxDepth = profile.maxDepth();
    result.maxTime = profile.maxTime();
    result.maxTemperature = profile.maxTemperature();
    result.samplingInterval = profile.samplingInterval();
    result.sampleCount = profile.sampleCount();
    result.charactersRead = position;
    if (result.message.isEmpty() && !result.severalDives && result.sampleCount == 0)
        result.message = QStringLiteral("%1 holds no dive samples (they begin on line %2).")
                             .arg(QFileInfo(path).fileName())
                             .arg(FirstSampleLine);
    return result;
}
