#include "components/DosBoxDisplay.h"

#include "components/UserConfig.h"
#include "platform/Platform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace dosboxdisplay {

namespace {
const QString Key = QStringLiteral("DOSBox/Display");

struct Stored {
    dosbox::DisplayChoice choice;
    const char* word;
};
constexpr Stored Words[] = {
    {dosbox::DisplayChoice::Window, "window"},
    {dosbox::DisplayChoice::FullScreen, "fullscreen"},
    {dosbox::DisplayChoice::AsConfigured, "dosbox"},
};
}  // namespace

dosbox::DisplayChoice picked()
{
    const QString word = UserConfig::open()->value(Key).toString();
    for (const Stored& stored : Words)
        if (word == QLatin1String(stored.word))
            return stored.choice;
    return dosbox::DisplayChoice::Unpicked;
}

void pick(dosbox::DisplayChoice choice)
{
    const auto config = UserConfig::open();
    config->remove(Key);
    for (const Stored& stored : Words)
        if (stored.choice == choice)
            config->setValue(Key, QLatin1String(stored.word));
    UserConfig::store(*config);
}

dosbox::Screen screenOf(const QWidget* window)
{
    const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const qreal ratio = screen->devicePixelRatio();
    const QSize size = screen->geometry().size();
    return {int(std::lround(size.width() * ratio)), int(std::lround(size.height() * ratio))};
}

dosbox::Display forStart(Platform& platform, const std::string& folder, dosbox::Screen screen)
{
    dosbox::Display display;
    display.choice = picked();
    display.screen = screen;
    // Only a start that leaves some keys to the player's files reads them.
    if (display.choice == dosbox::DisplayChoice::Unpicked)
        display.playerConfigurations = platform.playerDosBoxConfigurations(folder);
    return display;
}

}  // namespace dosboxdisplay
