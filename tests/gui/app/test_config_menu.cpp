#include "GuiTest.h"

#include "app/_configmenu.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_joysetup.h"
#include "dialogs/_kbsetup.h"
#include "dialogs/_mousesetup.h"
#include "dialogs/_videomode.h"
#include "multiplayer/_miscsetup.h"
#include "settings/_config.h"
#include "ui__configmenu.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

class ConfigMenu : public GuiTest {
protected:
    Tconfigmenu& menu() { return *forms->configmenu; }
    QList<QPushButton*> buttonsInOrder()
    {
        return {menu().ui->Button1, menu().ui->Button2, menu().ui->Button7, menu().ui->Button3,
                menu().ui->Button4, menu().ui->Button5, menu().ui->Button6};
    }
    // Shows the menu modally and runs `inside` while it is up; returns
    // whether the menu was still open after `inside` and closes it if so.
    bool runMenu(const std::function<void()>& inside)
    {
        bool stillOpen = false;
        whenModal([&](QWidget*) {
            inside();
            stillOpen = menu().isVisible();
            if (stillOpen)
                menu().close();
        });
        menu().exec();
        return stillOpen;
    }
};

TEST_F(ConfigMenu, HasItsCaptionSizeArtworkAndButtonsTopToBottomInTabOrder)
{
    EXPECT_EQ(menu().windowTitle(), "Configuration");
    EXPECT_EQ(menu().size(), QSize(361, 466));
    EXPECT_EQ(menu().minimumSize(), menu().maximumSize());
    EXPECT_FALSE(menu().windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));

    QLabel* image = menu().ui->Image1;
    EXPECT_TRUE(image->hasScaledContents());
    EXPECT_FALSE(image->pixmap().isNull());
    EXPECT_EQ(image->geometry(), QRect(0, 0, 361, 466));

    QStringList captions;
    int lastY = -1;
    const auto buttons = buttonsInOrder();
    for (int i = 0; i < buttons.size(); ++i) {
        captions << buttons[i]->text();
        EXPECT_GT(buttons[i]->y(), lastY);
        lastY = buttons[i]->y();
        EXPECT_TRUE(QRect(0, 0, 361, 466).contains(buttons[i]->geometry()));
        if (i + 1 < buttons.size()) {
            EXPECT_EQ(buttons[i]->nextInFocusChain(), buttons[i + 1]) << i;
        }
    }
    EXPECT_EQ(captions, QStringList({"&Video Configuration", "&Audio Configuration", "Misc &Configuration",
                                     "&Keyboard Configuration", "&Mouse Configuration", "&Joystick Configuration",
                                     "&Return to Main Menu"}));
}

TEST_F(ConfigMenu, EachDialogButtonShowsItsDialogModallyAndNothingElse)
{
    const QList<QPair<QPushButton*, QWidget*>> pairs = {
        {menu().ui->Button1, forms->videomode.get()},  {menu().ui->Button2, forms->audiosetup.get()},
        {menu().ui->Button7, forms->miscsetup.get()},  {menu().ui->Button3, forms->kbsetup.get()},
        {menu().ui->Button4, forms->mousesetup.get()}, {menu().ui->Button5, forms->joysetup.get()},
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& [button, dialog] : pairs) {
            QWidget* shown = nullptr;
            whenModal([&](QWidget* modal) {
                shown = modal;
                modal->close();
            });
            button->click();
            EXPECT_EQ(shown, dialog) << button->objectName().toStdString();
            EXPECT_FALSE(dialog->isVisible());
        }
    }
    EXPECT_EQ(platform.writes, 0);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ConfigMenu, ReturnSavesTheDialogsEvenWithoutChangesAndCloses)
{
    // What a load of this file leaves in the store; the dialogs still show
    // their start-up state, which is what gets written.
    platform.putFile("ENGINE\\VORNHL.CFG", "FXDevice = 6\n");
    forms->config->Memo1.read("FXDevice = 6\n");
    const bool open = runMenu([&] { menu().ui->Button6->click(); });
    EXPECT_FALSE(open);
    EXPECT_EQ(platform.file("ENGINE\\VORNHL.CFG"), "FXDevice = 13\r\n");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ConfigMenu, AFailedSaveShowsTheErrorAndKeepsTheMenuOpen)
{
    platform.putFile("ENGINE\\VORNHL.CFG", "Unknown = 1\r\n");
    platform.unwritable.push_back("ENGINE\\VORNHL.CFG");
    const bool open = runMenu([&] { menu().ui->Button6->click(); });
    EXPECT_TRUE(open);
    EXPECT_EQ(errors, QStringList{"Cannot create file .\\ENGINE\\VORNHL.CFG"});
    EXPECT_EQ(platform.file("ENGINE\\VORNHL.CFG"), "Unknown = 1\r\n");
}

TEST_F(ConfigMenu, TheCloseBoxReturnsWithoutSaving)
{
    platform.putFile("ENGINE\\VORNHL.CFG", "Unknown = 1\n");
    const bool open = runMenu([&] { menu().close(); });
    EXPECT_FALSE(open);
    EXPECT_EQ(platform.writes, 0);
    EXPECT_EQ(platform.file("ENGINE\\VORNHL.CFG"), "Unknown = 1\n");
}

TEST_F(ConfigMenu, TheErrorBoxShowsTheFilesBytesAsPlainTextInTheCodePage)
{
    // The real box this time, not the recorder.
    ErrorBox::setRecorder(nullptr);
    platform.putFile("ENGINE\\VORNHL.CFG", "ScreenWidth = <b>wide\x80</b>\r\n");
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    whenModal([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text = box->text();
            format = box->textFormat();
        }
        modal->close();
    });
    EXPECT_FALSE(runGuarded([&] { forms->config->LoadSettings(); }));
    EXPECT_EQ(text, QString::fromUtf8("'<b>wide\u20AC</b>' is not a valid integer value"));
    EXPECT_EQ(format, Qt::PlainText);
}
