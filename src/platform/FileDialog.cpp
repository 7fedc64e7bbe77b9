#include "platform/FileDialog.h"

#include "platform/MessageBox.h"
#include "platform/core/Cp932.h"
#include "platform/gui/QtText.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include <algorithm>
#include <filesystem>
#include <map>

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

namespace {

// The folder of the last file chosen, by kind of file (title and filter).
std::map<std::string, std::string>& LastFolders()
{
    static std::map<std::string, std::string> folders;
    return folders;
}

std::string KindOfFile(const std::string& title, const std::string& filter) { return title + '\n' + filter; }

} // namespace

std::string FileDialog::StartFolder() const
{
    const auto& folders = LastFolders();
    const auto found = folders.find(KindOfFile(title_, filter_));
    return found == folders.end() ? std::string() : found->second;
}

std::unique_ptr<QFileDialog> FileDialog::MakeQtDialog(QWidget* parent) const
{
    auto dialog = std::make_unique<QFileDialog>(parent, QStringFromCp932(title_));
    if (ShownKind() == Kind::Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        // Whoever writes the file asks before replacing one.
        dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(mustExist_ ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!filter_.empty())
        dialog->setNameFilter(QString::fromStdString(QtFilterFromDialogFilter(filter_)));
    // Qt would open where the last dialog of any kind was.
    const std::string folder = StartFolder();
    dialog->setDirectory(folder.empty() ? QDir::currentPath()
                                        : QFile::decodeName(QByteArray::fromStdString(folder)));
    if (!fileName_.empty())
        dialog->selectFile(QFile::decodeName(QByteArray::fromStdString(fileName_)));
    return dialog;
}

bool FileDialog::Execute(QWidget* parent)
{
    std::optional<std::string> chosen;
    if (currentScript) {
        currentScript->shown_.push_back({ShownKind(), title_, filter_, fileName_, StartFolder()});
        selectedFilter_ = 0;
        if (!currentScript->answers_.empty()) {
            chosen = std::move(currentScript->answers_.front().FileName);
            selectedFilter_ = currentScript->answers_.front().Filter;
            currentScript->answers_.pop_front();
        }
    } else {
        const std::unique_ptr<QFileDialog> dialog = MakeQtDialog(parent);
        if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
            chosen = QFile::encodeName(dialog->selectedFiles().constFirst()).toStdString();
            selectedFilter_ = static_cast<std::size_t>(
                std::max<qsizetype>(0, dialog->nameFilters().indexOf(dialog->selectedNameFilter())));
        }
    }
    if (!chosen)
        return false;
    fileName_ = std::move(*chosen);
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(fileName_, error);
    if (!error)
        LastFolders()[KindOfFile(title_, filter_)] = path.parent_path().string();
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
                                             const std::function<std::string(const std::string&)>& target,
                                             std::string proposed)
{
    struct ShownAsSave {
        FileDialog& dialog;
        explicit ShownAsSave(FileDialog& d) : dialog(d) { dialog.SetShownAsSave(true); }
        ~ShownAsSave() { dialog.SetShownAsSave(false); }
    } const asSave(dialog);
    std::string shown = std::move(proposed);
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
