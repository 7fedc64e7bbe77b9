#pragma once

#include "platform/core/Progress.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QProgressBar;
class QProgressDialog;
class QWidget;

namespace vantrel {

// Progress in a modal QProgressDialog with a Cancel button: "what" above a
// bar reading "done / total unit". Work that ends within half a second shows
// nothing; past that the dialog appears and is brought up to date about
// every 100 ms, which keeps the windows painted and takes the Cancel click.
// The dialog is application-modal, so that no other handler runs nested
// inside the work while it processes events.
class ProgressDialog : public Progress {
public:
    explicit ProgressDialog(QWidget* parent);
    ~ProgressDialog() override;
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    void Start(std::string_view what, std::string_view unit, std::int64_t total) override;

    // Hides the dialog while another dialog asks the user something; it
    // shows again once the work has run another half second.
    void Pause() override;

protected:
    void Report(std::int64_t done) override;

private:
    void Show();

    QWidget* parent_;
    std::unique_ptr<QProgressDialog> dialog_;
    QProgressBar* bar_ = nullptr; // owned by dialog_
    // Since the work began (its first part) or was last paused.
    QElapsedTimer sinceShowable_;
    bool started_ = false;
    qint64 lastUpdate_ = 0;
    std::string what_;
    std::string unit_;
    std::int64_t total_ = 0;
    // Reports are asked for every `stride_` steps, a few hundred per part.
    std::int64_t stride_ = 1;
};

// Runs `work` with a ProgressDialog over `parent`. When the user cancels,
// the work has cleaned up on its way out; the dialog closes, the user is told
// `cancelledText` and the result is false.
bool RunWithProgress(QWidget* parent, const std::string& cancelledText,
                     const std::function<void(Progress&)>& work);
// The same with a text that depends on how far the work got.
bool RunWithProgress(QWidget* parent, const std::function<std::string()>& cancelledText,
                     const std::function<void(Progress&)>& work);

// Test seam: while a script is installed, a dialog shows at the first step
// instead of after half a second, every step is reported and shown, and the
// script can press the dialog's Cancel button. What was shown is recorded.
class ProgressScript {
public:
    ProgressScript();
    ~ProgressScript();
    ProgressScript(const ProgressScript&) = delete;
    ProgressScript& operator=(const ProgressScript&) = delete;

    // Presses Cancel when the `update`-th step is shown, counted from 1 over
    // the parts whose What is `part` (any part when empty).
    void CancelAt(int update, std::string part = {})
    {
        cancelAt_ = update;
        cancelPart_ = std::move(part);
    }

    struct Part {
        std::string What; // code page 932
        std::int64_t Total;
        // The text of the dialog's bar at the last step shown ("3 / 11 lines").
        std::string Bar;
    };
    // Every part started, in order.
    const std::vector<Part>& Parts() const { return parts_; }
    int Updates() const { return updates_; }

private:
    friend class ProgressDialog;
    std::vector<Part> parts_;
    int updates_ = 0;
    int cancelAt_ = 0;
    std::string cancelPart_;
    int counted_ = 0;
    ProgressScript* outer_;
};

} // namespace vantrel
