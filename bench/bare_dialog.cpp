// The anchor of startup_bench: a bare Qt process that shows a dialog, lets it
// be drawn, says so on standard output the way kxcashier says its log-on
// window is shown, and ends.

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        QCoreApplication::processEvents();
        std::puts("dialog shown");
        std::fflush(stdout);
        dialog.reject();
    });
    dialog.exec();
    return 0;
}
