#pragma once

// A Progress for tests without windows: it hears of every step, records
// each part with the last step reported, and can cancel at a chosen step.
#include "platform/core/Progress.h"

#include <string>
#include <vector>

namespace vantrel::testing {

class RecordingProgress : public Progress {
public:
    struct Part {
        std::string What;
        std::string Unit;
        std::int64_t Total;
        std::int64_t Done = 0;
    };

    // Cancels at the `cancelAt`-th step reported (never when 0).
    explicit RecordingProgress(int cancelAt = 0) : cancelAt_(cancelAt) { }

    void Start(std::string_view what, std::string_view unit, std::int64_t total) override
    {
        parts_.push_back({std::string(what), std::string(unit), total});
        NextReport(0);
    }

    const std::vector<Part>& Parts() const { return parts_; }

protected:
    void Report(std::int64_t done) override
    {
        parts_.back().Done = done;
        NextReport(done + 1);
        if (++reports_ == cancelAt_)
            throw WorkCancelled();
    }

private:
    std::vector<Part> parts_;
    int cancelAt_;
    int reports_ = 0;
};

} // namespace vantrel::testing
