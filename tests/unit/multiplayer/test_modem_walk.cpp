#include "multiplayer/ModemWalk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

namespace {
// The registry as a table of keys below HKEY_LOCAL_MACHINE and their values,
// answering with the Win32 codes and buffer rules.
class TableRegistry : public Registry {
public:
    std::map<std::string, std::map<std::string, std::string>> keys;
    std::set<Key> open;

    void modem(int n, const std::string& attachedTo, const std::string& description)
    {
        auto& values = keys[modemwalk::modemKeyPath(n)];
        if (!attachedTo.empty())
            values["AttachedTo"] = attachedTo;
        if (!description.empty())
            values["DriverDesc"] = description;
    }
    void init(int n, const std::string& name, const std::string& command)
    {
        keys[modemwalk::initKeyPath(n)][name] = command;
    }

    long openKey(Key parent, const std::string& subKey, Key* result) override
    {
        if (parent != LocalMachine || !keys.count(subKey))
            return FileNotFound;
        *result = next++;
        handles[*result] = subKey;
        open.insert(*result);
        return Success;
    }
    long queryValue(Key key, const std::string& name, char* data, unsigned long* size) override
    {
        const auto& values = keys.at(handles.at(key));
        auto v = values.find(name);
        if (v == values.end())
            return FileNotFound;
        const unsigned long needed = (unsigned long)v->second.size() + 1;
        if (*size < needed) {
            *size = needed;
            return MoreData;
        }
        std::memcpy(data, v->second.c_str(), needed);
        *size = needed;
        return Success;
    }
    long closeKey(Key key) override { return open.erase(key) ? Success : 6; }

private:
    std::map<Key, std::string> handles;
    Key next = 0x100;
};

std::vector<std::string> descriptions(const std::vector<modemwalk::Modem>& modems)
{
    std::vector<std::string> out;
    for (const auto& m : modems)
        out.push_back(m.description);
    return out;
}
}  // namespace

TEST(ModemKeys, NumberedWithFourDigitsAtLeast)
{
    EXPECT_EQ(modemwalk::modemKeyPath(0), "System\\CurrentControlSet\\Services\\Class\\Modem\\0000\\");
    EXPECT_EQ(modemwalk::modemKeyPath(10), "System\\CurrentControlSet\\Services\\Class\\Modem\\0010\\");
    EXPECT_EQ(modemwalk::initKeyPath(3), "System\\CurrentControlSet\\Services\\Class\\Modem\\0003\\Init");
    EXPECT_EQ(modemwalk::initKeyPath(12345), "System\\CurrentControlSet\\Services\\Class\\Modem\\12345\\Init");
}

TEST(ModemWalk, TheFirstMissingNumberEndsTheWalkAndEveryKeyIsClosed)
{
    TableRegistry registry;
    registry.modem(0, "COM1", "First");
    registry.modem(1, "COM2", "Second");
    registry.modem(3, "COM3", "Beyond the gap");
    const auto found = modemwalk::findModems(registry);
    EXPECT_EQ(descriptions(found), (std::vector<std::string>{"First", "Second"}));
    EXPECT_TRUE(registry.open.empty());
}

TEST(ModemWalk, OnlyCom1ToCom8WithAReadableDescriptionQualify)
{
    TableRegistry registry;
    const char* ports[] = {"COM1", "COM8", "COM9", "COM10", "COM0", "LPT1", "com3", "XCOM", "COMX", "COM 4"};
    int n = 0;
    for (const char* port : ports)
        registry.modem(n++, port, std::string("on ") + port);
    registry.modem(n++, "COM5", "");       // no description
    registry.modem(n++, "", "no port");    // no port
    registry.modem(n++, "COM6", "Twin");
    registry.modem(n++, "COM7", "Twin");  // same text, own entry
    const auto found = modemwalk::findModems(registry);
    EXPECT_EQ(descriptions(found), (std::vector<std::string>{"on COM1", "on COM8", "Twin", "Twin"}));
    EXPECT_EQ(found[2].number, 12);
    EXPECT_EQ(found[3].number, 13);
}

TEST(ModemWalk, AValueLongerThan126CharactersIsUnreadable)
{
    TableRegistry registry;
    registry.modem(0, "COM1", std::string(126, 'd'));
    registry.modem(1, "COM2", std::string(127, 'e'));
    const auto found = modemwalk::findModems(registry);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].description, std::string(126, 'd'));

    registry.init(0, "2", std::string(127, 'x'));
    registry.init(0, "1", "ATZ");
    EXPECT_EQ(modemwalk::readSetup(registry, 0)->initString, "ATZ");
}

TEST(ModemWalk, NoModemKeyFindsNothing)
{
    TableRegistry registry;
    EXPECT_TRUE(modemwalk::findModems(registry).empty());
}

TEST(ModemSetup, PortAndInitTwoLessItsFirstMarker)
{
    TableRegistry registry;
    registry.modem(0, "COM4", "Modem");
    registry.init(0, "2", "AT&F&C1<cr>");
    registry.init(0, "1", "ATZ<cr>");
    const auto setup = modemwalk::readSetup(registry, 0);
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->comPortIndex, 3);
    EXPECT_EQ(setup->initString, "AT&F&C1");
    EXPECT_TRUE(registry.open.empty());
}

TEST(ModemSetup, InitOneWhenTwoIsMissingAndOnlyTheFirstExactMarkerGoes)
{
    TableRegistry registry;
    registry.modem(0, "COM3", "Modem");
    registry.init(0, "1", "AT<cr>S0=0<cr>X");
    EXPECT_EQ(modemwalk::readSetup(registry, 0)->initString, "ATS0=0<cr>X");
    registry.init(0, "1", "AT<CR>Z");
    EXPECT_EQ(modemwalk::readSetup(registry, 0)->initString, "AT<CR>Z");
}

TEST(ModemSetup, NothingAppliesWithoutPortKeyOrEitherInitCommand)
{
    TableRegistry registry;
    EXPECT_FALSE(modemwalk::readSetup(registry, 0));  // no modem key
    registry.modem(1, "", "no port");
    registry.init(1, "2", "ATZ");
    EXPECT_FALSE(modemwalk::readSetup(registry, 1));
    registry.modem(2, "COM2", "no commands");
    registry.keys[modemwalk::initKeyPath(2)];  // Init key without "2" or "1"
    EXPECT_FALSE(modemwalk::readSetup(registry, 2));
    EXPECT_TRUE(registry.open.empty());
}

TEST(ModemSetup, WithoutAnInitKeyThePortAppliesAndTheInitStringStays)
{
    TableRegistry registry;
    registry.modem(0, "COM2", "Modem");
    const auto setup = modemwalk::readSetup(registry, 0);
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->comPortIndex, 1);
    EXPECT_FALSE(setup->initString);
}

TEST(ModemSetup, LenientPortReading)
{
    EXPECT_EQ(modemwalk::lenientInt("3"), 3);
    EXPECT_EQ(modemwalk::lenientInt("  12x"), 12);
    EXPECT_EQ(modemwalk::lenientInt("x"), 0);
    EXPECT_EQ(modemwalk::lenientInt(""), 0);
    EXPECT_EQ(modemwalk::lenientInt("-3"), 0);
    EXPECT_EQ(modemwalk::lenientInt("99999999999"), 0);
}
