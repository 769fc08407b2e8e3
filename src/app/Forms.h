#pragma once
// The launcher's fourteen windows. They are created once, in this order, at
// start-up, and live until the process ends; windows that need one another
// reach each other through this set instead of through globals.

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
