// Player name, control method and modem settings.
#include "settings/groups.h"

#include "app/Forms.h"
#include "settings/_config.h"

namespace settings {

void loadPlayerName(Tconfig&, Forms&) {}

void loadControlAndModem(Tconfig&, Forms&) {}

void saveControlMethod(Tconfig&, Forms&) {}

void saveModemAndPlayer(Tconfig&, Forms&) {}

}  // namespace settings
