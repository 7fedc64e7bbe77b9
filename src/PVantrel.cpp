// Program entry: the main window is the only window created at start, and
// the message loop runs until it closes.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Cluster Analysis"));
    window.resize(501, 318);
    window.show();
    return application.exec();
}
