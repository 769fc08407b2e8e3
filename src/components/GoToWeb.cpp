#include "components/GoToWeb.h"

#include "components/BrowserCommand.h"
#include "platform/Platform.h"

TGoToWeb::TGoToWeb(Platform& platform, QObject* owner) : QObject(owner), platform_(platform) {}

bool TGoToWeb::Execute() { return browser::OpenInBrowser(platform_, Url); }

std::string TGoToWeb::FindBrowserCommand() { return browser::FindBrowserCommand(platform_.registry()); }
