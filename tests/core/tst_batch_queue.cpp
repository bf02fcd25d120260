// Batches handed between two threads: in order, the giver held back while
// the queue is full, both sides released by a stop, the taker by a close
// once all is taken, and batches reused.

#include "core/BatchQueue.h"

#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {
using Batch = std::vector<int>;

// Whether `running` is still blocked a while after it started.
bool stillWaiting(const std::atomic<bool> &finished)
{
    QTest::qWait(50);
    return !finished;
}
} // namespace

class TestBatchQueue : public QObject
{
    Q_OBJECT
private slots:
    void keepsTheOrderAcrossThreads_data()
    {
        QTest::addColumn<int>("maxBatches");
        QTest::addColumn<int>("batches");
        QTest::newRow("one in flight") << 1 << 2000;
        QTest::newRow("a few in flight") << 8 << 20000;
    }
    void keepsTheOrderAcrossThreads()
    {
        QFETCH(int, maxBatches);
        QFETCH(int, batches);
        BatchQueue<Batch> queue(maxBatches);
        std::thread giver([&] {
            int next = 0;
            Batch batch;
            for (int b = 0; b < batches; ++b) {
                for (int k = 0; k < 1 + b % 7; ++k)
                    batch.push_back(next++);
                if (!queue.push(batch))
                    return;
            }
            queue.close();
        });
        int expected = 0;
        int taken = 0;
        bool inOrder = true;
        Batch batch;
        while (queue.pop(batch)) {
            ++taken;
            for (int value : batch)
                inOrder = inOrder && value == expected++;
        }
        giver.join();
        QVERIFY(inOrder);
        QCOMPARE(taken, batches);
    }

    void giverWaitsWhileFull()
    {
        BatchQueue<Batch> queue(2);
        Batch batch{1};
        QVERIFY(queue.push(batch));
        batch = {2};
        QVERIFY(queue.push(batch));
        std::atomic<bool> finished = false;
        std::thread giver([&] {
            Batch third{3};
            queue.push(third);
            finished = true;
        });
        QVERIFY(stillWaiting(finished));
        Batch taken;
        QVERIFY(queue.pop(taken));
        QCOMPARE(taken, Batch{1});
        QTRY_VERIFY(finished);
        giver.join();
        QVERIFY(queue.pop(taken));
        QCOMPARE(taken, Batch{2});
        QVERIFY(queue.pop(taken));
        QCOMPARE(taken, Batch{3});
    }

    void stopReleasesAWaitingGiver()
    {
        BatchQueue<Batch> queue(1);
        Batch first{1};
        QVERIFY(queue.push(first));
        std::atomic<bool> finished = false;
        bool pushed = true;
        Batch kept;
        std::thread giver([&] {
            Batch second{2, 3};
            pushed = queue.push(second);
            kept = second;
            finished = true;
        });
        QVERIFY(stillWaiting(finished));
        queue.stop();
        giver.join();
        QVERIFY(!pushed);
        QCOMPARE(kept, (Batch{2, 3}));
        Batch taken;
        QVERIFY(!queue.pop(taken)); // what was waiting is dropped
    }

    void stopReleasesAWaitingTaker()
    {
        BatchQueue<Batch> queue(4);
        std::atomic<bool> finished = false;
        bool popped = true;
        std::thread taker([&] {
            Batch batch;
            popped = queue.pop(batch);
            finished = true;
        });
        QVERIFY(stillWaiting(finished));
        queue.stop();
        taker.join();
        QVERIFY(!popped);
    }

    void closeLetsTheTakerDrain()
    {
        BatchQueue<Batch> queue(4);
        for (int b = 1; b <= 3; ++b) {
            Batch batch{b};
            QVERIFY(queue.push(batch));
        }
        queue.close();
        Batch taken;
        for (int b = 1; b <= 3; ++b) {
            QVERIFY(queue.pop(taken));
            QCOMPARE(taken, Batch{b});
        }
        QVERIFY(!queue.pop(taken));
    }

    void batchesGivenBackAreReused()
    {
        BatchQueue<Batch> queue(4);
        Batch batch;
        batch.reserve(1000);
        batch.push_back(7);
        const int *storage = batch.data();
        QVERIFY(queue.push(batch));
        Batch taken;
        QVERIFY(queue.pop(taken));
        QCOMPARE(taken.data(), storage);
        batch = {8};
        QVERIFY(queue.push(batch));
        QVERIFY(queue.pop(taken)); // gives the first one back
        batch = {9};
        QVERIFY(queue.push(batch));
        // The giver refills the storage it handed over first, emptied.
        QCOMPARE(batch.data(), storage);
        QVERIFY(batch.empty());
        QVERIFY(batch.capacity() >= 1000);
    }
};

QTEST_GUILESS_MAIN(TestBatchQueue)
#include "tst_batch_queue.moc"
