#pragma once

#include <QWidget>

namespace vantrel {

// An input window of a run: created with the application as owner, shown
// modelessly, and only hidden when it closes. Whoever waits for the input
// learns of the close, for any reason (OK, a distance button, the close
// box), from Closed().
class InputWindow : public QWidget {
    Q_OBJECT
public:
    explicit InputWindow(QWidget* owner = nullptr) : QWidget(owner, Qt::Window) { }

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace vantrel
