#pragma once
// A setting whose value picks one item of a list in a setup dialog. One row
// says it all: the key, the file's value for each item in item order, and
// what a value that names no item selects. Loading and saving both read the
// row, so the two can never disagree about a value.

#include <optional>
#include <string>
#include <vector>

namespace settings {

struct ListSetting {
    enum class Read {
        Integer,         // an integer; a missing or other value fails the load
        IntegerIfGiven,  // the same, but an empty value leaves the list as it is
        Text,            // compared as written
    };
    const char* key;                  // as written; the file's line may have any case
    std::vector<const char*> values;  // the file's value of each item, in item order
    int fallback = 0;                 // the item a value that names none selects; -1 for none
    Read read = Read::Integer;
    const char* whenNone = nullptr;   // written while no item is selected; nullptr writes nothing
};

// The item the file's `value` selects; nothing when the list is to stay as
// it is. Throws "'%s' is not a valid integer value" where an integer is due.
std::optional<int> itemFor(const ListSetting& setting, const std::string& value);
// The line that item `index` writes (-1: no item); nothing for no line.
std::optional<std::string> lineFor(const ListSetting& setting, int index);

}  // namespace settings
