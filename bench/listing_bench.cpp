// Times the printed listing of a 1000-object matrix window, the longest job
// a user can start with one button: both grids as they stand after loading
// a file (1001 rows of 1001 ten-byte fields), written to a PDF file as the
// printer does without a system printer, and once more to a canvas that
// only measures, which leaves the text channel's own line and page work.
// The PDF is timed once more with the windows' progress dialog, which shows
// after half a second and is brought up to date while the pages are drawn.
//
//   listing_bench [runs]     (default 3; the median is shown)

#include "MedianTiming.h"
#include "input_core/MatrixTestGrids.h"
#include "platform/ProgressDialog.h"
#include "platform/gui/PageFile.h"
#include "print/Listing.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using namespace vantrel;
using bench::MedianTiming;
using bench::Timing;

// Fixed metrics of a 12-point face at 600 dots per inch on A4, nothing drawn.
class MeasuringCanvas : public Canvas {
public:
    void BeginDoc() override { pages_ = 1; }
    void EndDoc() override { }
    void NewPage() override { ++pages_; }
    int PageWidth() const override { return 4724; }
    int PageHeight() const override { return 6778; }
    void SetFontName(const std::string&) override { }
    void SetFontSize(int) override { }
    int TextWidth(const std::string& text) override { return static_cast<int>(text.size()) * 50; }
    int TextHeight(const std::string&) override { return 100; }
    void MoveTo(int, int) override { }
    void LineTo(int, int) override { }
    void TextOut(int, int, const std::string&) override { }

    int Pages() const { return pages_; }

private:
    int pages_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    constexpr int n = 1000;

    std::vector<std::string> labels, values;
    for (int i = 1; i <= n; ++i)
        labels.push_back("obj" + std::to_string(i));
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> value(0.0, 100.0);
    char text[32];
    for (std::size_t k = 0; k < static_cast<std::size_t>(n) * (n - 1) / 2; ++k) {
        std::snprintf(text, sizeof text, "%.6f", value(random));
        values.emplace_back(text);
    }
    const testing::MatrixGrids grids(labels, values);

    MeasuringCanvas measuring;
    const Timing channel =
        MedianTiming(runs, [&] { PrintMatrixListing(measuring, grids.Labels, grids.Matrix); });
    std::printf("matrix listing, N = %d, text channel only (%d pages): median %.3f s wall, %.3f s CPU\n", n,
                measuring.Pages(), channel.Wall, channel.Cpu);

    const std::string path = "/tmp/vantrel-listing-bench.pdf";
    const Timing pdf = MedianTiming(runs, [&] {
        PageFileCanvas canvas(path);
        PrintMatrixListing(canvas, grids.Labels, grids.Matrix);
    });
    std::printf("matrix listing, N = %d, to PDF: median %.3f s wall, %.3f s CPU over %d runs\n", n, pdf.Wall,
                pdf.Cpu, runs);

    const Timing shown = MedianTiming(runs, [&] {
        PageFileCanvas canvas(path);
        ProgressDialog progress(nullptr);
        PrintMatrixListing(canvas, grids.Labels, grids.Matrix, progress);
    });
    std::printf("matrix listing, N = %d, to PDF with the progress dialog: median %.3f s wall, %.3f s CPU\n",
                n, shown.Wall, shown.Cpu);
    std::remove(path.c_str());
    return 0;
}
