// How the launcher's DOSBox configuration shows the game, and which display
// keys a player's own configuration holds on to.
#include "dosbox/Display.h"

#include <gtest/gtest.h>

using dosbox::DisplayChoice;

TEST(DosBoxDisplay, TheWindowIsTheLargest4By3WithinMostOfTheScreen)
{
    EXPECT_EQ(dosbox::windowSize({1280, 1024}), (dosbox::Screen{1160, 870}));
    EXPECT_EQ(dosbox::windowSize({1920, 1080}), (dosbox::Screen{1224, 918}));
    EXPECT_EQ(dosbox::windowSize({}), (dosbox::Screen{}));
}

TEST(DosBoxDisplay, ThePlayersOwnKeysWinUntilAPickAndAsConfiguredWritesNothing)
{
    const char* window = "[sdl]\nfullscreen=false\nfullresolution=desktop\nwindowresolution=1160x870\n"
                         "output=opengl\n[render]\naspect=true\n";
    const char* mine = "[SDL]\n# output=ddraw\n  WindowResolution = 800x600 \noutput=opengl\nfullscreen=off\n"
                       "[render]\nscaler=normal2x\naspect=0\n[autoexec]\noutput=surface\n";
    struct Case {
        DisplayChoice choice;
        const char* player;
        const char* lines;
    };
    const Case cases[] = {
        {DisplayChoice::Unpicked, "", window},
        {DisplayChoice::Unpicked, mine, "[sdl]\nfullscreen=false\nfullresolution=desktop\n[render]\naspect=true\n"},
        // A later line sets a key back to DOSBox's default.
        {DisplayChoice::Unpicked, "[render]\naspect=yes\n[render]\naspect=false\n", window},
        {DisplayChoice::Window, mine, window},
        {DisplayChoice::FullScreen, "",
         "[sdl]\nfullscreen=true\nfullresolution=desktop\nwindowresolution=1160x870\noutput=opengl\n"
         "[render]\naspect=true\n"},
        {DisplayChoice::AsConfigured, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dosbox::displayLines({c.choice, {1280, 1024}, c.player}), c.lines) << c.player;
    EXPECT_EQ(dosbox::displayKeysSet(mine), (std::vector<std::string>{"windowresolution", "output"}));
}
