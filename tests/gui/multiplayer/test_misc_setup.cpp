#include "GuiTest.h"

#include "components/ListIndex.h"
#include "multiplayer/_miscsetup.h"
#include "multiplayer/modem_list.h"
#include "ui__miscsetup.h"
#include "ui_modem_list.h"

#include <QPushButton>

namespace {
const std::string ModemKey = "HKLM\\System\\CurrentControlSet\\Services\\Class\\Modem\\";
}

class MiscSetup : public GuiTest {
protected:
    Ui::TMiscSetup& misc() { return *forms->miscsetup->ui; }
    Ui::TSelectModem& select() { return *forms->selectmodem->ui; }

    void modem(const char* number, const char* port, const char* description)
    {
        platform.fakeRegistry.setValue(ModemKey + number, "AttachedTo", port);
        platform.fakeRegistry.setValue(ModemKey + number, "DriverDesc", description);
    }
    void init(const char* number, const char* name, const char* command)
    {
        platform.fakeRegistry.setValue(ModemKey + number + "\\Init", name, command);
    }
    QStringList listed()
    {
        QStringList items;
        for (int i = 0; i < select().ModemList->count(); ++i)
            items << select().ModemList->item(i)->text();
        return items;
    }
    // Presses auto-detect and runs `inside` while the selection dialog is up.
    void detect(const std::function<void()>& inside)
    {
        whenModal([&](QWidget* modal) {
            EXPECT_EQ(modal, forms->selectmodem.get());
            inside();
            if (modal->isVisible())
                modal->close();
        });
        misc().Button1->click();
        EXPECT_FALSE(forms->selectmodem->isVisible());
        EXPECT_EQ(platform.fakeRegistry.openKeys(), 0);
    }
};

TEST_F(MiscSetup, CreationValuesAndTheSelectionDialogsStart)
{
    EXPECT_EQ(misc().ControlMethod->itemIndex(), 1);
    EXPECT_EQ(misc().ComPort->count(), 8);
    EXPECT_EQ(misc().ComPort->itemText(7), "COM8:");
    EXPECT_EQ(misc().ComPort->currentText(), "COM2:");
    EXPECT_EQ(misc().InitStr->text(), "AT&F1");
    EXPECT_FALSE(misc().AdvCom->isChecked());
    EXPECT_EQ(misc().ComIRQ->text(), "n/a");
    EXPECT_EQ(misc().COMUart->text(), "n/a");
    EXPECT_FALSE(misc().ComIRQ->isEnabled());
    EXPECT_FALSE(misc().COMUart->isEnabled());

    EXPECT_FALSE(forms->selectmodem->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(select().Button1->isEnabled());
    EXPECT_TRUE(select().Button1->isDefault());
}

TEST_F(MiscSetup, AdvanceSettingsEnablesBothFieldsExactlyWhenCheckedAndKeepsTheirTexts)
{
    misc().AdvCom->click();
    EXPECT_TRUE(misc().ComIRQ->isEnabled());
    EXPECT_TRUE(misc().COMUart->isEnabled());
    EXPECT_EQ(misc().ComIRQ->text(), "n/a");
    misc().ComIRQ->setText("7");
    misc().AdvCom->setChecked(false);  // from code: the handler runs too
    EXPECT_FALSE(misc().ComIRQ->isEnabled());
    EXPECT_FALSE(misc().COMUart->isEnabled());
    EXPECT_EQ(misc().ComIRQ->text(), "7");
}

TEST_F(MiscSetup, OkAndTheCloseBoxJustCloseKeepingChanges)
{
    TMiscSetup& dialog = *forms->miscsetup;
    whenModal([&](QWidget*) {
        misc().InitStr->setText("ATZ");
        misc().Button2->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    whenModal([&](QWidget*) { dialog.close(); });
    dialog.exec();
    EXPECT_EQ(misc().InitStr->text(), "ATZ");
    EXPECT_EQ(platform.writes, 0);
}

TEST_F(MiscSetup, DetectionListsQualifyingModemsAndTheSecondEntryAppliesItsOwnSubkey)
{
    misc().AdvCom->setChecked(true);
    misc().ComIRQ->setText("9");
    modem("0000", "COM2", "Alpha 14.4");
    modem("0001", "COM9", "Beta on COM9");
    modem("0002", "COM3", "Gamma 28.8");
    modem("0004", "COM1", "After the gap");
    init("0000", "2", "ATALPHA<cr>");
    init("0002", "1", "AT&F<cr>X<cr>");
    detect([&] {
        EXPECT_EQ(listed(), QStringList({"Alpha 14.4", "Gamma 28.8"}));
        EXPECT_FALSE(select().Button1->isEnabled());
        select().ModemList->setCurrentRow(1);
        EXPECT_TRUE(select().Button1->isEnabled());
        select().Button1->click();
    });
    EXPECT_EQ(forms->selectmodem->result(), QDialog::Accepted);
    EXPECT_EQ(misc().ComPort->currentText(), "COM3:");
    EXPECT_EQ(misc().InitStr->text(), "AT&FX<cr>");
    EXPECT_TRUE(misc().AdvCom->isChecked());
    EXPECT_EQ(misc().ComIRQ->text(), "9");
    EXPECT_EQ(platform.writes, 0);
}

TEST_F(MiscSetup, CancelChangesNothing)
{
    modem("0000", "COM4", "Alpha");
    init("0000", "2", "ATZ");
    detect([&] {
        select().ModemList->setCurrentRow(0);
        select().Button2->click();
    });
    EXPECT_EQ(misc().ComPort->currentText(), "COM2:");
    EXPECT_EQ(misc().InitStr->text(), "AT&F1");
}

TEST_F(MiscSetup, OkStaysEnabledOnALaterShowingAndWithoutSelectionChangesNothing)
{
    modem("0000", "COM4", "Alpha");
    init("0000", "2", "ATZ");
    detect([&] {
        select().ModemList->setCurrentRow(0);
        select().Button2->click();
    });
    detect([&] {
        EXPECT_EQ(listed(), QStringList{"Alpha"});
        EXPECT_TRUE(select().ModemList->selectedItems().isEmpty());
        EXPECT_TRUE(select().Button1->isEnabled());
        select().Button1->click();
    });
    EXPECT_EQ(forms->selectmodem->result(), QDialog::Accepted);
    EXPECT_EQ(misc().ComPort->currentText(), "COM2:");
    EXPECT_EQ(misc().InitStr->text(), "AT&F1");
}

TEST_F(MiscSetup, AChosenModemWhoseCommandsCannotBeReadChangesNothingButClosesWithOk)
{
    modem("0000", "COM4", "Alpha");
    platform.fakeRegistry.addKey(ModemKey + "0000\\Init");
    detect([&] {
        select().ModemList->setCurrentRow(0);
        select().Button1->click();
    });
    EXPECT_EQ(forms->selectmodem->result(), QDialog::Accepted);
    EXPECT_EQ(misc().ComPort->currentText(), "COM2:");
    EXPECT_EQ(misc().InitStr->text(), "AT&F1");
}

TEST_F(MiscSetup, WithoutAnInitKeyOnlyThePortChanges)
{
    modem("0000", "COM4", "Alpha");
    detect([&] {
        select().ModemList->setCurrentRow(0);
        select().Button1->click();
    });
    EXPECT_EQ(misc().ComPort->currentText(), "COM4:");
    EXPECT_EQ(misc().InitStr->text(), "AT&F1");
}

TEST_F(MiscSetup, NoInstalledModemLeavesTheListEmpty)
{
    detect([&] {
        EXPECT_EQ(select().ModemList->count(), 0);
        select().Button2->click();
    });
}

TEST_F(MiscSetup, WhereTheGameRunsInDosBoxAModemPortOrAddressDosBoxLacksIsNoted)
{
    struct Case {
        int port;
        bool advanced;
        const char* uart;
        const char* note;  // "" for none
    };
    const Case cases[] = {
        {5, false, "n/a", "DOSBox has modems on COM1 to COM4 only, not on COM6."},
        {-1, false, "n/a", "No COM port is chosen for the modem."},
        {1, true, "3E8", "DOSBox's COM2 sits at 2F8: the game will look for its modem at 3E8 and not find it."},
        {1, true, "0x2f8", ""},
        {2, true, "$3E8", ""},
        {3, true, "2e8h", ""},
        {1, false, "3E8", ""},  // the address counts only with Advance Settings
        {1, true, "n/a", ""},
    };
    platform.dosBoxStarts = true;
    for (const Case& c : cases) {
        setItemIndex(misc().ComPort, c.port);
        misc().AdvCom->setChecked(c.advanced);
        misc().COMUart->setText(c.uart);
        QString shown;
        whenModal([&](QWidget*) {
            shown = misc().DosBoxNote->isVisible() ? misc().DosBoxNote->text() : QString();
            forms->miscsetup->close();
        });
        forms->miscsetup->exec();
        EXPECT_TRUE(*c.note ? shown.startsWith(c.note) : shown.isEmpty()) << c.uart << ": " << shown.toStdString();
    }
}
