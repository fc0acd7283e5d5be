#pragma once
#include <atomic>
#include <cstddef>

namespace sonivel {

// Progress and cancellation of a long piece of file work (a save, an export,
// a read). The work reports how much there is and how much is done, and asks
// between blocks whether it should stop; it never blocks on its watcher.
// Implementations are safe to call from the thread doing the work while
// another thread watches or cancels.
class IJobProgress {
public:
    virtual ~IJobProgress() = default;
    // The amount of work, in the work's own units (records, bytes).
    virtual void SetTotal(std::size_t total) = 0;
    // How much of it is done so far.
    virtual void SetDone(std::size_t done) = 0;
    // Whether the work should stop now, leaving everything as it found it.
    virtual bool Cancelled() const = 0;
};

// The progress shared by a worker and its owner: three atomics. The owner
// reads Total/Done (a progress dialog polls them) and calls Cancel.
class CJobProgress final : public IJobProgress {
public:
    void SetTotal(std::size_t total) override { m_total.store(total, std::memory_order_relaxed); }
    void SetDone(std::size_t done) override { m_done.store(done, std::memory_order_relaxed); }
    bool Cancelled() const override { return m_cancelled.load(std::memory_order_relaxed); }

    void Cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    std::size_t Total() const { return m_total.load(std::memory_order_relaxed); }
    std::size_t Done() const { return m_done.load(std::memory_order_relaxed); }
    // Back to nothing done and not cancelled, for the next job (not while one runs).
    void Reset()
    {
        m_total.store(0);
        m_done.store(0);
        m_cancelled.store(false);
    }

private:
    std::atomic<std::size_t> m_total {0};
    std::atomic<std::size_t> m_done {0};
    std::atomic<bool> m_cancelled {false};
};

// Progress nobody watches and nobody cancels, for work that runs on the
// caller's own thread (the headless tool, tests). Shared and stateless.
IJobProgress& NoProgress();

} // namespace sonivel
