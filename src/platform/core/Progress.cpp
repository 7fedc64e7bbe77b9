#include "platform/core/Progress.h"

#include "platform/core/Cp932.h"

namespace vantrel {
namespace {

class Silent : public Progress {
public:
    Silent() { NextReport(std::numeric_limits<std::int64_t>::max()); }
    void Start(std::string_view, std::string_view, std::int64_t) override { }

protected:
    void Report(std::int64_t) override { }
};

} // namespace

Progress& NoProgress()
{
    static Silent silent;
    return silent;
}

std::string LoadingText(const std::string& fileName) { return "Loading " + Cp932ForMessage(fileName); }

std::string SavingText(const std::string& fileName) { return "Saving " + Cp932ForMessage(fileName); }

std::string PrintingCancelledText() { return "Printing cancelled: nothing was printed."; }

std::string LoadingCancelledText(const std::string& fileName)
{
    return "Loading cancelled: " + Cp932ForMessage(fileName) + " was not loaded; the window keeps its data.";
}

std::string SavingCancelledText(const std::string& fileName)
{
    return "Saving cancelled: " + Cp932ForMessage(fileName) + " was not saved.";
}

std::string CalculationCancelledText(const std::string& reportFileName)
{
    std::string text = "Calculation cancelled.";
    if (!reportFileName.empty())
        text += " Output File = " + Cp932ForMessage(reportFileName);
    return text;
}

} // namespace vantrel
