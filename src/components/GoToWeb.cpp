#include "components/GoToWeb.h"

#include "platform/Platform.h"

TGoToWeb::TGoToWeb(Platform& platform, QObject* owner) : QObject(owner), platform_(platform) {}

bool TGoToWeb::Execute() { return false; }
