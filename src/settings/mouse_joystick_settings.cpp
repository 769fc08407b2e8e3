// Mouse and joystick settings.
#include "settings/groups.h"

#include "app/Forms.h"
#include "settings/_config.h"

namespace settings {

void loadMouseAimingFlipped(Tconfig&, Forms&) {}

void loadMouseButtons(Tconfig&, Forms&) {}

void loadJoystick(Tconfig&, Forms&) {}

void saveMouseAndJoystick(Tconfig&, Forms&) {}

}  // namespace settings
