#include "files/JobProgress.h"

namespace sonivel {

IJobProgress& NoProgress()
{
    class CNone final : public IJobProgress {
    public:
        void SetTotal(std::size_t) override {}
        void SetDone(std::size_t) override {}
        bool Cancelled() const override { return false; }
    };
    static CNone none;
    return none;
}

} // namespace sonivel
