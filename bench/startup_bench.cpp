// The launcher's own start-up, timed from process start to the first frame of
// the main menu: application set-up, all fourteen windows created, the main
// window shown and exposed. Prints milliseconds and peak resident memory.

#include "app/Forms.h"
#include "app/_main.h"
#include "app/application.h"
#include "platform/NativePlatform.h"
#include "startup_probe.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    launcher::initialiseApplication(app);
    auto platform = makeNativePlatform();
    auto forms = createForms(*platform);
    return runUntilFirstFrame(app, forms->mainmenu.get());
}
