// The launcher: run from the game's installation directory, it shows the
// main menu and nothing else until the user picks something.

#include "app/Forms.h"
#include "app/_main.h"
#include "app/application.h"
#include "platform/NativePlatform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    launcher::initialiseApplication(app);

    auto platform = makeNativePlatform();
    auto forms = createForms(*platform);
    forms->mainmenu->show();
    return app.exec();
}
