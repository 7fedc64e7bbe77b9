#pragma once

namespace vantrel {

// The input windows' file dialogs for their data and CSV files: the title
// (UTF-8; shown through Sjis) and the CSV filter.
inline constexpr const char* InputFileDialogTitle = "ファイル名";
inline constexpr const char* CsvFileFilter = "CSV files (*.csv)|*.CSV";

} // namespace vantrel
