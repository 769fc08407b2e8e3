#include "app/Forms.h"

#include "app/_configmenu.h"
#include "app/_main.h"
#include "components/DosBoxDisplay.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_joysetup.h"
#include "dialogs/_kbsetup.h"
#include "dialogs/_keypress.h"
#include "dialogs/_mousesetup.h"
#include "dialogs/_videomode.h"
#include "dialogs/_view.h"
#include "multiplayer/StartSequence.h"
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
    f.videomode = std::make_unique<Tvideomode>(platform);
    f.audiosetup = std::make_unique<TAudioSetup>(platform);
    f.view = std::make_unique<Tview>();
    f.kbsetup = std::make_unique<Tkbsetup>();
    f.mousesetup = std::make_unique<TMouseSetup>();
    f.joysetup = std::make_unique<TJoySetup>();
    f.miscsetup = std::make_unique<TMiscSetup>(platform);
    f.selectmodem = std::make_unique<TSelectModem>(platform, *f.miscsetup);
    f.config = std::make_unique<Tconfig>(
        platform, SetupDialogs{*f.videomode, *f.audiosetup, *f.kbsetup, *f.mousesetup, *f.joysetup, *f.miscsetup});
    Tconfig& config = *f.config;
    const NetworkStart start{platform,
                             [&config](const std::string& playerName) {
                                 config.StoredPlayerName = playerName;
                                 config.SaveSettings();
                             },
                             [&config] { return config.EmulatedHardware(); },
                             [&f] { return dosboxdisplay::screenOf(f.mainmenu.get()); }};
    f.ipx = std::make_unique<TIPX>(start);
    f.modem = std::make_unique<TModem>(start, *f.miscsetup);
    f.keypicker = std::make_unique<TGetKeyP>();

    // Windows made before the ones they open learn of them now.
    f.audiosetup->setHelpViewer(*f.view);
    f.miscsetup->setModemList(*f.selectmodem);
    f.kbsetup->setKeyPicker(*f.keypicker);
    return forms;
}
