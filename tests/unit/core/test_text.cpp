#include "core/Text.h"

#include <gtest/gtest.h>

TEST(SplitFields, KeepsEveryFieldEmptyOnesIncluded)
{
    using Fields = std::vector<std::string>;
    const struct {
        const char* text;
        char separator;
        Fields fields;
    } cases[] = {
        {"", ':', Fields{""}},
        {"a", ':', Fields{"a"}},
        {"/usr/bin::/bin", ':', Fields{"/usr/bin", "", "/bin"}},
        {":", ':', Fields{"", ""}},
        {"/g/ENGINE/", '/', Fields{"", "g", "ENGINE", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text::splitFields(c.text, c.separator), c.fields) << c.text;
}
