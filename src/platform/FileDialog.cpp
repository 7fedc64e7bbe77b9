#include "platform/FileDialog.h"

#include "platform/MessageBox.h"

#include <QFile>
#include <QFileDialog>

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
    return true;
}

std::optional<std::string> ChooseFile(FileDialog& dialog, QWidget* parent, std::string title,
                                      std::optional<std::string> filter)
{
    dialog.SetTitle(std::move(title));
    if (filter)
        dialog.SetFilter(*filter);
    dialog.SetFileName({});
    if (!dialog.Execute(parent))
        return std::nullopt;
    if (filter)
        dialog.SetFilter({});
    return dialog.FileName();
}

FileDialogScript::FileDialogScript() : outer_(currentScript)
{
    currentScript = this;
}

FileDialogScript::~FileDialogScript()
{
    currentScript = outer_;
}

} // namespace vantrel
