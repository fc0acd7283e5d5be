#include "files/JobRunner.h"

#include <system_error>

namespace sonivel {

CJobRunner::~CJobRunner()
{
    Cancel();
    Wait();
}

bool CJobRunner::Start(Work work)
{
    Cancel();
    Wait();
    m_progress.Reset();
    m_bRunning.store(true, std::memory_order_release);
    try {
        m_worker = std::thread([this, work = std::move(work)] {
            work(m_progress);
            m_bRunning.store(false, std::memory_order_release);
        });
    } catch (const std::system_error&) {
        m_bRunning.store(false, std::memory_order_release);
        return false;
    }
    return true;
}

void CJobRunner::Wait()
{
    if (m_worker.joinable())
        m_worker.join();
}

} // namespace sonivel
