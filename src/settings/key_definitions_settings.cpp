// Key definitions.
#include "settings/groups.h"

#include "app/Forms.h"
#include "settings/_config.h"

namespace settings {

void loadKeyDefinitions(Tconfig&, Forms&) {}

void saveKeyDefinitions(Tconfig&, Forms&) {}

}  // namespace settings
