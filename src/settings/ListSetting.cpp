#include "settings/ListSetting.h"

#include "settings/SettingsLines.h"

namespace settings {

std::optional<int> itemFor(const ListSetting& setting, const std::string& value)
{
    using Read = ListSetting::Read;
    if (setting.read == Read::IntegerIfGiven && value.empty())
        return std::nullopt;
    // An integer is compared in its plain form, so "+5" or "$5" names "5".
    const std::string wanted = setting.read == Read::Text ? value : std::to_string(strToInt(value));
    for (std::size_t i = 0; i < setting.values.size(); ++i)
        if (wanted == setting.values[i])
            return int(i);
    return setting.fallback;
}

std::optional<std::string> lineFor(const ListSetting& setting, int index)
{
    const std::string head = std::string(setting.key) + " = ";
    if (index >= 0 && std::size_t(index) < setting.values.size())
        return head + setting.values[std::size_t(index)];
    if (setting.whenNone)
        return head + setting.whenNone;
    return std::nullopt;
}

}  // namespace settings
