#pragma once
#include <atomic>
#include <functional>
#include <thread>

#include "files/JobProgress.h"

namespace sonivel {

// Runs one piece of work at a time on a worker thread of its own, with a
// progress the owner can watch and cancel. The owner (one thread, the UI
// thread in the window) calls every member; the work runs on the worker and
// talks to the owner only through the progress and whatever it hands over
// itself when it ends (in the window: one queued call with its outcome).
//
// Start first cancels and joins a job still running; the destructor does the
// same, so no worker outlives its runner or the data its work reads. Nothing
// sleeps: the work checks the progress's cancel flag between blocks.
class CJobRunner {
public:
    using Work = std::function<void(IJobProgress& progress)>;

    CJobRunner() = default;
    ~CJobRunner();
    CJobRunner(const CJobRunner&) = delete;
    CJobRunner& operator=(const CJobRunner&) = delete;

    // Stops the previous job (Cancel, then Wait), then runs work on a new
    // worker with a fresh progress. False when no thread could be started:
    // work has not run.
    bool Start(Work work);
    // Asks the running job to stop at its next check; returns at once.
    void Cancel() { m_progress.Cancel(); }
    // Waits for the job to end (it runs to its end unless cancelled).
    // Nothing running: returns at once.
    void Wait();
    // True from Start until the work has returned (it may not be joined yet).
    bool Running() const { return m_bRunning.load(std::memory_order_acquire); }
    // The job's progress, for the owner to show.
    const CJobProgress& Progress() const { return m_progress; }

private:
    CJobProgress m_progress;
    std::thread m_worker;
    std::atomic<bool> m_bRunning {false};
};

} // namespace sonivel
