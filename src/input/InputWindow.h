#pragma once

#include <QWidget>

namespace vantrel {

// An input window of a run: created with the application as owner, shown
// modelessly, and only hidden when it closes. Whoever waits for the input
// learns of the close, for any reason (OK, a distance button, the close
// box), from Closed(), and from Confirmed() whether the input was confirmed.
class InputWindow : public QWidget {
    Q_OBJECT
public:
    explicit InputWindow(QWidget* owner = nullptr) : QWidget(owner, Qt::Window) { }

    // True once the input was confirmed (OK, or a completed distance
    // button) and the window closed for it.
    bool Confirmed() const { return confirmed_; }

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Closes the window with its input confirmed.
    void CloseConfirmed();

private:
    bool confirmed_ = false;
};

} // namespace vantrel
