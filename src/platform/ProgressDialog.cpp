#include "platform/ProgressDialog.h"

#include "platform/MessageBox.h"
#include "platform/core/Cp932.h"
#include "platform/gui/QtText.h"

#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace vantrel {
namespace {

constexpr qint64 ShowAfterMs = 500;
// Ten updates a second look smooth and answer Cancel at once; each costs
// about half a millisecond (pending events and a repaint).
constexpr qint64 UpdateEveryMs = 100;
// Enough reports for smooth updates, few enough that a clock read each is
// lost in the work between them.
constexpr std::int64_t ReportsPerPart = 256;

ProgressScript* activeScript = nullptr;

int BarValue(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX)); }

QString BarFormat(const std::string& unit) { return QStringLiteral("%v / %m ") + QStringFromCp932(unit); }

// The dialog sizes itself to its label alone; the bar's text at its longest
// must fit the bar as well.
void FitBarText(QProgressDialog& dialog, std::int64_t total, const std::string& unit)
{
    const QString longest = QStringLiteral("%1 / %1 ").arg(total) + QStringFromCp932(unit);
    dialog.setMinimumWidth(std::max(300, dialog.fontMetrics().horizontalAdvance(longest) + 120));
}

} // namespace

ProgressScript::ProgressScript() : outer_(activeScript) { activeScript = this; }

ProgressScript::~ProgressScript() { activeScript = outer_; }

ProgressDialog::ProgressDialog(QWidget* parent) : parent_(parent) { }

ProgressDialog::~ProgressDialog() = default;

void ProgressDialog::Start(std::string_view what, std::string_view unit, std::int64_t total)
{
    // The time before the first part (a print dialog, say) is not the work's.
    if (!started_) {
        started_ = true;
        sinceShowable_.start();
    }
    what_.assign(what);
    unit_.assign(unit);
    total_ = std::max<std::int64_t>(total, 0);
    stride_ = activeScript ? 1 : std::max<std::int64_t>(1, total_ / ReportsPerPart);
    NextReport(0);
    if (activeScript)
        activeScript->parts_.push_back({what_, total_, {}});
    if (dialog_) {
        dialog_->setLabelText(QStringFromCp932(what_));
        bar_->setFormat(BarFormat(unit_));
        FitBarText(*dialog_, total_, unit_);
        dialog_->setRange(0, BarValue(total_));
    }
}

void ProgressDialog::Pause()
{
    // Destroyed rather than hidden: a hidden modal dialog would still let its
    // updates process events, and with them the clicks on other windows.
    dialog_.reset();
    bar_ = nullptr;
    if (started_)
        sinceShowable_.restart();
    lastUpdate_ = 0;
}

void ProgressDialog::Show()
{
    if (dialog_)
        return;
    dialog_ = std::make_unique<QProgressDialog>(parent_);
    dialog_->setWindowTitle(QString::fromLatin1(ProgramTitle));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    bar_ = new QProgressBar;
    bar_->setFormat(BarFormat(unit_));
    dialog_->setBar(bar_);
    FitBarText(*dialog_, total_, unit_);
    dialog_->setLabelText(QStringFromCp932(what_));
    dialog_->setRange(0, BarValue(total_));
    // Shown by the next value: the wait is over already.
    dialog_->setMinimumDuration(0);
    dialog_->setValue(0);
}

void ProgressDialog::Report(std::int64_t done)
{
    if (!started_)
        return;
    NextReport(done + stride_);
    if (!activeScript) {
        const qint64 now = sinceShowable_.elapsed();
        if (now - lastUpdate_ < UpdateEveryMs || (!dialog_ && now < ShowAfterMs))
            return;
        lastUpdate_ = now;
    }
    Show();
    // Once shown, a modal dialog's new value processes the pending events:
    // the windows are painted and a click on Cancel is taken.
    dialog_->setValue(BarValue(std::min(done, total_)));
    if (ProgressScript* script = activeScript) {
        ++script->updates_;
        if (script->parts_.empty())
            script->parts_.push_back({what_, total_, {}});
        ProgressScript::Part& part = script->parts_.back();
        part.Bar = Cp932ForMessage(bar_->text().toStdString());
        if ((script->cancelPart_.empty() || part.What == script->cancelPart_) &&
            ++script->counted_ == script->cancelAt_)
            dialog_->findChild<QPushButton*>()->click();
    }
    if (dialog_->wasCanceled())
        throw WorkCancelled();
}

bool RunWithProgress(QWidget* parent, const std::string& cancelledText,
                     const std::function<void(Progress&)>& work)
{
    return RunWithProgress(
        parent, [&cancelledText] { return cancelledText; }, work);
}

bool RunWithProgress(QWidget* parent, const std::function<std::string()>& cancelledText,
                     const std::function<void(Progress&)>& work)
{
    {
        ProgressDialog progress(parent);
        try {
            work(progress);
            return true;
        } catch (const WorkCancelled&) {
            // The work has cleaned up; the dialog closes before the message.
        }
    }
    ShowMessage(cancelledText(), parent);
    return false;
}

} // namespace vantrel
