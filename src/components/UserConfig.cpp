#include "components/UserConfig.h"

std::unique_ptr<QSettings> UserConfig::open()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vornhale"),
                                       QStringLiteral("launcher"));
}
