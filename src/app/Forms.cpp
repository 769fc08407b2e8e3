#include "app/Forms.h"

#include "app/_configmenu.h"
#include "app/_main.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_joysetup.h"
#include "dialogs/_kbsetup.h"
#include "dialogs/_keypress.h"
#include "dialogs/_mousesetup.h"
#include "dialogs/_videomode.h"
#include "dialogs/_view.h"
#include "multiplayer/_IPX.h"
#include "multiplayer/_miscsetup.h"
#include "multiplayer/_modem.h"
#include "multiplayer/modem_list.h"
#include "settings/_config.h"

Forms::Forms(Platform& p) : platform(p) {}

// Destroyed in reverse creation order; no window is destroyed before exit.
Forms::~Forms() = default;

std::unique_ptr<Forms> createForms(Platform& platform)
{
    auto forms = std::make_unique<Forms>(platform);
    Forms& f = *forms;
    f.mainmenu = std::make_unique<Tmain>(f);
    f.configmenu = std::make_unique<Tconfigmenu>(f);
    f.videomode = std::make_unique<Tvideomode>(f);
    f.audiosetup = std::make_unique<TAudioSetup>(f);
    f.view = std::make_unique<Tview>(f);
    f.kbsetup = std::make_unique<Tkbsetup>(f);
    f.mousesetup = std::make_unique<TMouseSetup>(f);
    f.joysetup = std::make_unique<TJoySetup>(f);
    f.miscsetup = std::make_unique<TMiscSetup>(f);
    f.selectmodem = std::make_unique<TSelectModem>(f);
    f.config = std::make_unique<Tconfig>(f);
    f.ipx = std::make_unique<TIPX>(f);
    f.modem = std::make_unique<TModem>(f);
    f.keypicker = std::make_unique<TGetKeyP>(f);
    return forms;
}
