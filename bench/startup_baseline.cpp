// The smallest Qt Widgets program comparable to the launcher's start-up: one
// fixed-size window showing one picture. Prints the same figures. With
// "--caption" it also shows one captioned button: the first text on screen
// is what loads the font database, a fixed cost that any window with a
// caption pays and a bare picture does not.

#include "startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window;
    window.setPixmap(QPixmap(QStringLiteral(":/menu.bmp")));
    window.setFixedSize(367, 467);
    window.setWindowTitle(QStringLiteral("Baseline"));
    if (argc > 1 && std::strcmp(argv[1], "--caption") == 0)
        (new QPushButton(QStringLiteral("&Single Player"), &window))->setGeometry(92, 146, 183, 33);
    return runUntilFirstFrame(app, &window);
}
