#pragma once

#include "engine/AnalysisData.h"
#include "platform/core/Progress.h"
#include "runs/core/RunSession.h"

#include <string>

namespace vantrel {

// The report file of a run: the echo of the clustered input. Code page 932,
// CR LF line ends, rows of 10-byte fields (PadToWidth), numbers in the
// report's 7-digit general format.

// Opens the session's ReportFile on `fileName`, creating or truncating it; a
// report left open by an abandoned run is closed first. Throws IoError with
// the platform's reason.
void OpenReportFile(RunSession& session, const std::string& fileName);

// Flushes and closes the report; a failure throws IoError. Does nothing when
// no report is open.
void CloseReportFile(RunSession& session);

// Closes the report on every way out of a run: Close() on success reports a
// failed flush; the destructor (error paths) closes without throwing.
class ReportFileGuard {
public:
    explicit ReportFileGuard(RunSession& session) : session_(session) { }
    ~ReportFileGuard();
    ReportFileGuard(const ReportFileGuard&) = delete;
    ReportFileGuard& operator=(const ReportFileGuard&) = delete;

    void Close() { CloseReportFile(session_); }

private:
    RunSession& session_;
};

// The section headers, code page 932.
std::string DissimilarityHeader(); // "入力データ（距離）..."
std::string SimilarityHeader(); // "入力データ（類似度）..."
std::string ComputedDistanceHeader(); // "算出された距離..."

// One matrix row of object i: its label, then M[i, 1..i-1], each in a
// 10-byte field.
std::string MatrixRow(const AnalysisData& data, const TriangularMatrix& matrix, int i);

// A blank line, the header and the N rows of `matrix` to the session's
// ReportFile, the rows counted on `progress`. Throws Error when no report is
// open, IoError when a write fails, WorkCancelled on a cancel.
void WriteMatrixSection(RunSession& session, const std::string& header, const AnalysisData& data,
                        const TriangularMatrix& matrix, Progress& progress = NoProgress());

// The three sections a run writes.
void WriteDissimilarityEcho(RunSession& session, const AnalysisData& data,
                            Progress& progress = NoProgress()); // dissimilarity run
void WriteSimilarityEcho(RunSession& session, const AnalysisData& data,
                         Progress& progress = NoProgress()); // similarity run
void WriteComputedDistanceEcho(RunSession& session, const AnalysisData& data,
                               Progress& progress = NoProgress()); // attribute run

} // namespace vantrel
