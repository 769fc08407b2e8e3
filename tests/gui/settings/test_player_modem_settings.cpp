#include "GuiTest.h"
#include "Input.h"

#include "multiplayer/_IPX.h"
#include "multiplayer/_miscsetup.h"
#include "multiplayer/_modem.h"
#include "settings/_config.h"
#include "settings/groups.h"
#include "ui__IPX.h"
#include "ui__miscsetup.h"
#include "ui__modem.h"

#include <QCheckBox>
#include <QClipboard>


namespace {
std::string crlf(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* l : lines)
        out += std::string(l) + "\r\n";
    return out;
}

// The lines this group writes, in a file that holds all of them.
const char* const CommSection =
    "ControllerType = 1\r\nComPort = 2\r\nIrqNumber = ~\r\nUartAddress = ~\r\nInitString = \"AT&F1\"\r\n"
    "PlayerName = \"Wanderer\"\r\n";
}  // namespace

class PlayerModemSettings : public GuiTest {
protected:
    Tconfig& config() { return *forms->config; }
    Ui::TMiscSetup& misc() { return *forms->miscsetup->ui; }

    // Runs this group's load steps on a file of these lines.
    void load(const std::string& bytes)
    {
        config().Memo1.read(bytes);
        settings::loadPlayerName(config());
        settings::loadControlAndModem(config(), *forms->miscsetup);
    }
    std::string save(const std::string& bytes = CommSection)
    {
        config().Memo1.read(bytes);
        settings::saveControlMethod(config(), *forms->miscsetup);
        settings::saveModemAndPlayer(config(), *forms->miscsetup);
        return config().Memo1.write();
    }
};

TEST_F(PlayerModemSettings, PlayerNameLosesOnlyTheQuotesThatAreThere)
{
    const std::pair<const char*, const char*> cases[] = {
        {"PlayerName = \"Ace\"\r\n", "Ace"},       {"PlayerName = Ace\r\n", "Ace"},
        {"PlayerName = \"Ace\r\n", "Ace"},         {"PlayerName = Ace\"\r\n", "Ace"},
        {"PlayerName = \"\"\r\n", ""},             {"PlayerName = \"\r\n", ""},
        {"PlayerName = \"A \"x\" \"\r\n", "A \"x\" "}, {"playername = \" Ace \" \r\n", " Ace "},
    };
    for (const auto& [file, name] : cases) {
        config().StoredPlayerName = "before";
        load(file);
        EXPECT_EQ(config().StoredPlayerName, name) << file;
    }
}

TEST_F(PlayerModemSettings, AnEmptyOrMissingNameKeepsTheStoredOneAndIsSavedQuoted)
{
    load("PlayerName =\r\n");
    EXPECT_EQ(config().StoredPlayerName, "");
    EXPECT_EQ(save("PlayerName =\r\n"), "PlayerName = \"\"\r\n");
    config().StoredPlayerName = "Ace";
    load("ScreenMode = 1\r\n");
    EXPECT_EQ(config().StoredPlayerName, "Ace");
}

TEST_F(PlayerModemSettings, ANameWithQuotesAndInnerBlanksSurvivesASaveAndALoad)
{
    config().StoredPlayerName = " Big \"Ace\" ";
    const std::string file = save();
    EXPECT_NE(file.find("PlayerName = \" Big \"Ace\" \"\r\n"), std::string::npos);
    config().StoredPlayerName.clear();
    load(file);
    EXPECT_EQ(config().StoredPlayerName, " Big \"Ace\" ");
}

TEST_F(PlayerModemSettings, EmptyValuesLeaveTheCreationValuesWhichTheNextSaveWrites)
{
    const std::string empty = "ControllerType =\r\nComPort =\r\nIrqNumber =\r\nUartAddress =\r\nInitString =\r\n"
                              "PlayerName =\r\n";
    load(empty);
    EXPECT_EQ(misc().ControlMethod->itemIndex(), 1);
    EXPECT_EQ(misc().ComPort->currentIndex(), 1);
    EXPECT_EQ(misc().InitStr->text(), "AT&F1");
    EXPECT_FALSE(misc().AdvCom->isChecked());
    EXPECT_EQ(save(empty), crlf({"ControllerType = 1", "ComPort = 2", "IrqNumber = ~", "UartAddress = ~",
                                 "InitString = \"AT&F1\"", "PlayerName = \"\""}));
}

TEST_F(PlayerModemSettings, ModemKeysAreReadInCapitalsAndWrittenInMixedCase)
{
    const std::string upper = "CONTROLLERTYPE = 2\r\nCOMPORT = 4\r\nIRQNUMBER = 5\r\nUARTADDRESS = 3E8\r\n"
                              "INITSTRING = \"ATZ\"\r\nPLAYERNAME = \"Ace\"\r\n";
    load(upper);
    EXPECT_EQ(misc().ControlMethod->itemIndex(), 2);
    EXPECT_EQ(misc().ComPort->currentText(), "COM4:");
    EXPECT_EQ(misc().InitStr->text(), "ATZ");
    EXPECT_TRUE(misc().AdvCom->isChecked());
    EXPECT_TRUE(misc().ComIRQ->isEnabled());
    EXPECT_TRUE(misc().COMUart->isEnabled());
    EXPECT_EQ(misc().ComIRQ->text(), "5");
    EXPECT_EQ(misc().COMUart->text(), "3E8");
    EXPECT_EQ(save(upper), crlf({"ControllerType = 2", "ComPort = 4", "IrqNumber = 5", "UartAddress = 3E8",
                                 "InitString = \"ATZ\"", "PlayerName = \"Ace\""}));
}

TEST_F(PlayerModemSettings, InitStringLosesOnlyItsOwnQuotes)
{
    load("InitString = ATZ\r\n");
    EXPECT_EQ(misc().InitStr->text(), "ATZ");
    load("InitString = \"ATS0=1\"\r\n");
    EXPECT_EQ(misc().InitStr->text(), "ATS0=1");
}

TEST_F(PlayerModemSettings, FieldsKeepValuesOfAnyLengthWhole)
{
    std::string init, irq, uart;
    for (int i = 0; init.size() < 40000; ++i)
        init += "ATS" + std::to_string(i) + "=1&";
    init.resize(40000);
    irq = std::string(40000, '7');
    uart = std::string(40000, 'E');
    const std::string file = "IrqNumber = " + irq + "\r\nUartAddress = " + uart + "\r\nInitString = \"" + init + "\"\r\n";
    load(file);
    EXPECT_EQ(misc().InitStr->text().size(), 40000);
    EXPECT_EQ(save(file), file);
    // The name, phone and socket fields end on a file line too.
    for (QLineEdit* edit : {forms->ipx->ui->NetName, forms->ipx->ui->IPX_NetSocket, forms->modem->ui->NetName,
                            forms->modem->ui->PhoneNum}) {
        edit->setText(QString(40000, 'x'));
        EXPECT_EQ(edit->text().size(), 40000) << edit->objectName().toStdString();
    }
}

TEST_F(PlayerModemSettings, TextTravelsThroughTheCodePageAndFieldsRefuseWhatItLacks)
{
    // Typed: the euro sign and curly quotes are bytes of the code page.
    QLineEdit* init = misc().InitStr;
    init->clear();
    typeText(init, QString::fromUtf8("AT\u201C\u20AC\u201D"));
    EXPECT_NE(save().find("InitString = \"AT\x93\x80\x94\"\r\n"), std::string::npos);

    // Read: every byte but the line breaks comes back as it was.
    std::string every;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            every += char(b);
    const std::string file = "InitString = \"[" + every + "]\"\r\n";
    load(file);
    EXPECT_EQ(save(file), file);

    // A character the code page lacks is neither typed nor pasted into a
    // field the files feed; the field stays as it was.
    QApplication::clipboard()->setText(QString::fromUtf8("x\u4E2D"));
    for (QLineEdit* edit : {misc().InitStr, misc().ComIRQ, misc().COMUart, forms->ipx->ui->NetName,
                            forms->ipx->ui->IPX_NetSocket, forms->modem->ui->NetName, forms->modem->ui->PhoneNum}) {
        edit->setEnabled(true);
        edit->setText("ok");
        typeText(edit, QString::fromUtf8("\u0100"));
        edit->paste();
        EXPECT_EQ(edit->text(), "ok") << edit->objectName().toStdString();
    }
}

TEST_F(PlayerModemSettings, TildeClearsAdvanceSettingsAndKeepsTheFieldTexts)
{
    load("IrqNumber = 7\r\n");  // no UART line: the field is emptied
    EXPECT_TRUE(misc().AdvCom->isChecked());
    EXPECT_EQ(misc().ComIRQ->text(), "7");
    EXPECT_EQ(misc().COMUart->text(), "");
    load("IrqNumber = ~\r\nUartAddress = 2F8\r\n");
    EXPECT_FALSE(misc().AdvCom->isChecked());
    EXPECT_FALSE(misc().ComIRQ->isEnabled());
    EXPECT_FALSE(misc().COMUart->isEnabled());
    EXPECT_EQ(misc().ComIRQ->text(), "7");
    EXPECT_EQ(misc().COMUart->text(), "");
    // Already clear: the fields stay disabled all the same.
    load("IrqNumber = ~\r\n");
    EXPECT_FALSE(misc().ComIRQ->isEnabled());
}

TEST_F(PlayerModemSettings, SavingWithAdvanceSettingsClearWritesTildesWhateverTheFieldsHold)
{
    misc().ComIRQ->setText("5");
    misc().COMUart->setText("2F8");
    EXPECT_NE(save().find("IrqNumber = ~\r\nUartAddress = ~\r\n"), std::string::npos);
    misc().AdvCom->setChecked(true);
    EXPECT_NE(save().find("IrqNumber = 5\r\nUartAddress = 2F8\r\n"), std::string::npos);
}

TEST_F(PlayerModemSettings, OutOfRangeNumbersSelectNothingOrClamp)
{
    load("COMPORT = 9\r\nControllerType = 5\r\n");
    EXPECT_EQ(misc().ComPort->currentIndex(), -1);
    EXPECT_EQ(misc().ControlMethod->itemIndex(), 2);
    EXPECT_NE(save().find("ComPort = 0\r\n"), std::string::npos);
    load("COMPORT = -2147483648\r\nControllerType = -4\r\n");
    EXPECT_EQ(misc().ComPort->currentIndex(), -1);
    EXPECT_EQ(misc().ControlMethod->itemIndex(), -1);
    EXPECT_NE(save().find("ControllerType = -1\r\n"), std::string::npos);
    load("COMPORT = $3\r\n");
    EXPECT_EQ(misc().ComPort->currentText(), "COM3:");
}

TEST_F(PlayerModemSettings, ANonIntegerControllerTypeOrPortStopsTheLoadAfterTheName)
{
    EXPECT_THROW(load("PlayerName = \"Ace\"\r\nControllerType = 1 ; mouse\r\nComPort = 4\r\n"), LauncherError);
    EXPECT_EQ(config().StoredPlayerName, "Ace");
    EXPECT_EQ(misc().ComPort->currentIndex(), 1);
    try {
        load("ComPort = COM4\r\nInitString = \"ATZ\"\r\n");
        FAIL() << "no error";
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "'COM4' is not a valid integer value");
    }
    EXPECT_EQ(misc().InitStr->text(), "AT&F1");
}

TEST_F(PlayerModemSettings, LoadAndSaveRunThisGroupThroughTheStore)
{
    platform.putFile("ENGINE\\VORNHL.CFG", demoSettings());
    config().LoadSettings();
    EXPECT_EQ(config().StoredPlayerName, "Wanderer");
    misc().InitStr->setText("ATX\r\n0");
    misc().ComPort->setCurrentIndex(3);
    config().StoredPlayerName = "Ace";
    config().SaveSettings();
    EXPECT_NE(platform.file("ENGINE\\VORNHL.CFG")->find(crlf({"ComPort = 4", "IrqNumber = ~", "UartAddress = ~",
                                                               "InitString = \"ATX0\"", "PlayerName = \"Ace\""})),
              std::string::npos);
}
