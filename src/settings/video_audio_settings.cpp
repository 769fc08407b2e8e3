// Video and audio settings.
#include "settings/groups.h"

#include "app/Forms.h"
#include "settings/_config.h"

namespace settings {

void loadVideo(Tconfig&, Forms&) {}

void loadAudio(Tconfig&, Forms&) {}

void saveVideo(Tconfig&, Forms&) {}

void saveAudio(Tconfig&, Forms&) {}

}  // namespace settings
