// The smallest Qt Widgets program comparable to the launcher's start-up: one
// fixed-size window showing one picture. Prints the same figures.

#include "startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window;
    window.setPixmap(QPixmap(QStringLiteral(":/menu.bmp")));
    window.setFixedSize(367, 467);
    window.setWindowTitle(QStringLiteral("Baseline"));
    return runUntilFirstFrame(app, &window);
}
