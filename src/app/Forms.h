#pragma once
// The launcher's fourteen windows. They are created once, in this order, at
// start-up, and live until the process ends. Each window is handed the
// windows and services it needs when it is made; only the two menus, at the
// top, reach the rest through this set.
//
//   module                      class         role
//   app/_main                   Tmain         main menu: play, network games, setup, web pages
//   app/_configmenu             Tconfigmenu   setup menu; saves every setting on the way back
//   dialogs/_videomode          Tvideomode    video mode
//   dialogs/_audiosetup         TAudioSetup   sound card, mixing, CD audio
//   dialogs/_view               Tview         help text viewer
//   dialogs/_kbsetup            Tkbsetup      keyboard actions and their keys
//   dialogs/_mousesetup         TMouseSetup   mouse buttons, sensitivity, aiming
//   dialogs/_joysetup           TJoySetup     joystick buttons and port
//   multiplayer/_miscsetup      TMiscSetup    control method and modem set-up
//   multiplayer/modem_list      TSelectModem  the system's installed modems
//   settings/_config            Tconfig       settings store (no window)
//   multiplayer/_IPX            TIPX          IPX network game
//   multiplayer/_modem          TModem        modem game: call or wait for a call
//   dialogs/_keypress           TGetKeyP      key picker
//   (owned by TIPX)
//   multiplayer/_hostjoin       THostJoin     host or join an IPX game in DOSBox
//   (owned by TModem)
//   multiplayer/_waitforcall    TWaitForCall  where the call comes to a modem waiting in DOSBox

#include <memory>

class Platform;
class Tmain;
class Tconfigmenu;
class Tvideomode;
class TAudioSetup;
class Tview;
class Tkbsetup;
class TMouseSetup;
class TJoySetup;
class TMiscSetup;
class TSelectModem;
class Tconfig;
class TIPX;
class TModem;
class TGetKeyP;

struct Forms {
    explicit Forms(Platform& p);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    Platform& platform;
    std::unique_ptr<Tmain> mainmenu;
    std::unique_ptr<Tconfigmenu> configmenu;
    std::unique_ptr<Tvideomode> videomode;
    std::unique_ptr<TAudioSetup> audiosetup;
    std::unique_ptr<Tview> view;
    std::unique_ptr<Tkbsetup> kbsetup;
    std::unique_ptr<TMouseSetup> mousesetup;
    std::unique_ptr<TJoySetup> joysetup;
    std::unique_ptr<TMiscSetup> miscsetup;
    std::unique_ptr<TSelectModem> selectmodem;
    std::unique_ptr<Tconfig> config;
    std::unique_ptr<TIPX> ipx;
    std::unique_ptr<TModem> modem;
    std::unique_ptr<TGetKeyP> keypicker;
};

// Creates every window in start-up order (each runs its creation handler);
// none is shown.
std::unique_ptr<Forms> createForms(Platform& platform);
