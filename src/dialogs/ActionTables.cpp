#include "dialogs/ActionTables.h"

#include "core/Text.h"

#include <algorithm>
#include <iterator>

namespace controls {

std::string underscoreName(std::string_view displayName)
{
    return text::spacesToUnderscores(std::string(displayName));
}

std::string storedForm(std::string_view entry)
{
    std::string key;
    std::copy_if(entry.begin(), entry.end(), std::back_inserter(key), [](char c) { return c != ' '; });
    if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z')
        key[0] = char(key[0] - 'A' + 'a');
    return key;
}

std::string lookupForm(std::string_view keyString)
{
    std::string key(keyString);
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z')
        key[0] = char(key[0] - 'a' + 'A');
    return key;
}

int keyEntryIndex(std::string_view keyString)
{
    const std::string wanted = keyString == NoKey ? std::string(NoKeyEntry) : lookupForm(keyString);
    const auto found = std::find(KeyNames.begin(), KeyNames.end(), wanted);
    return found == KeyNames.end() ? -1 : int(found - KeyNames.begin());
}

std::string keyStringFromValue(std::string_view value)
{
    std::string key = text::firstQuotedField(value);
    return key.empty() ? std::string(NoKey) : key;
}

std::string keyDefinitionLine(std::string_view displayName, std::string_view keyString)
{
    std::string line = underscoreName(displayName) + " = ";
    if (keyString == NoKey)
        return line + "\"\" \"\"";
    return line + "\"" + std::string(keyString) + "\" \"\"";
}

int sensitivityPosition(std::int32_t fileValue)
{
    if (fileValue <= 0)
        return 0;
    const std::int64_t v = std::min<std::int64_t>(fileValue, 4 * 32768);
    // Nearest position, halves up: the inverse of the save's scale.
    const std::int64_t position = (v * 200 + 32767) / (2 * 32767);
    return int(std::min<std::int64_t>(position, SensitivityMax));
}

std::int32_t sensitivityFileValue(int position) { return std::int32_t(std::int64_t(position) * 32767 / 100); }

}  // namespace controls
