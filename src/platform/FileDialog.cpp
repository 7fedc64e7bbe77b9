#include "platform/FileDialog.h"

#include "platform/MessageBox.h"
#include "platform/core/Cp932.h"

#include <QFile>
#include <QFileDialog>

#include <algorithm>
#include <filesystem>

namespace vantrel {

namespace {

FileDialogScript* currentScript = nullptr;

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string QtFilterFromDialogFilter(const std::string& filter)
{
    std::string result;
    std::size_t position = 0;
    while (position < filter.size()) {
        auto bar = filter.find('|', position);
        const std::string description =
            Trimmed(filter.substr(position, bar == std::string::npos ? std::string::npos : bar - position));
        std::string pattern;
        if (bar == std::string::npos) {
            position = filter.size();
        } else {
            const auto next = filter.find('|', bar + 1);
            pattern = filter.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
            position = next == std::string::npos ? filter.size() : next + 1;
        }
        // Patterns of the other form are separated by ';'; Qt wants blanks.
        for (char& c : pattern)
            if (c == ';')
                c = ' ';
        pattern = Trimmed(pattern);
        if (pattern.empty())
            pattern.assign(1, '*');
        // Built with append(): GCC 12 misreads chains of operator+ here.
        std::string entry;
        const auto open = description.rfind('(');
        if (!description.empty() && description.back() == ')' && open != std::string::npos) {
            const std::string inner = description.substr(open + 1, description.size() - open - 2);
            entry.append(description, 0, open + 1).append(inner);
            if (inner != pattern)
                entry.append(" ").append(pattern);
            entry.append(")");
        } else {
            entry.append(description.empty() ? pattern : description)
                .append(" (")
                .append(pattern)
                .append(")");
        }
        if (!result.empty())
            result += ";;";
        result += entry;
    }
    return result;
}

bool FileDialog::Execute(QWidget* parent)
{
    if (currentScript) {
        currentScript->shown_.push_back({kind_, title_, filter_, fileName_});
        if (currentScript->answers_.empty())
            return false;
        auto answer = std::move(currentScript->answers_.front());
        currentScript->answers_.pop_front();
        selectedFilter_ = 0;
        if (!currentScript->filters_.empty()) {
            selectedFilter_ = currentScript->filters_.front();
            currentScript->filters_.pop_front();
        }
        if (!answer)
            return false;
        fileName_ = std::move(*answer);
        return true;
    }

    QFileDialog dialog(parent, MessageTextToQString(title_));
    dialog.setAcceptMode(kind_ == Kind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (kind_ == Kind::Save) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setFileMode(mustExist_ ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!filter_.empty())
        dialog.setNameFilter(QString::fromStdString(QtFilterFromDialogFilter(filter_)));
    if (!fileName_.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(fileName_)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName_ = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    selectedFilter_ = static_cast<std::size_t>(
        std::max<qsizetype>(0, dialog.nameFilters().indexOf(dialog.selectedNameFilter())));
    return true;
}

namespace {

std::optional<std::string> ShowWithName(FileDialog& dialog, QWidget* parent, const std::string& title,
                                        const std::optional<std::string>& filter, std::string fileName)
{
    dialog.SetTitle(title);
    if (filter)
        dialog.SetFilter(*filter);
    dialog.SetFileName(std::move(fileName));
    if (!dialog.Execute(parent))
        return std::nullopt;
    return dialog.FileName();
}

} // namespace

std::optional<std::string> ChooseFile(FileDialog& dialog, QWidget* parent, std::string title,
                                      std::optional<std::string> filter)
{
    std::optional<std::string> chosen = ShowWithName(dialog, parent, title, filter, {});
    if (chosen && filter)
        dialog.SetFilter({});
    return chosen;
}

std::optional<std::string> ChooseFileToWrite(FileDialog& dialog, QWidget* parent, std::string title,
                                             std::optional<std::string> filter,
                                             const std::function<std::string(const std::string&)>& target)
{
    std::string shown;
    for (;;) {
        const std::optional<std::string> chosen = ShowWithName(dialog, parent, title, filter, shown);
        if (!chosen)
            return std::nullopt;
        std::string written = target ? target(*chosen) : *chosen;
        std::error_code error;
        const auto status = std::filesystem::status(written, error);
        if (!std::filesystem::exists(status) || std::filesystem::is_directory(status) ||
            AskQuestion(ReplaceFileQuestion(written), parent)) {
            if (filter)
                dialog.SetFilter({});
            return written;
        }
        shown = *chosen;
    }
}

std::string ReplaceFileQuestion(const std::string& fileName)
{
    return Cp932ForMessage(fileName) + " already exists.\nDo you want to replace it?";
}

FileDialogScript::FileDialogScript() : outer_(currentScript) { currentScript = this; }

FileDialogScript::~FileDialogScript() { currentScript = outer_; }

} // namespace vantrel
