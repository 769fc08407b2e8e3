#include "GuiTest.h"
#include "Input.h"

#include "components/CdImage.h"
#include "components/ListIndex.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_view.h"
#include "ui__audiosetup.h"
#include "ui__view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

class AudioDialog : public GuiTest {
protected:
    TAudioSetup& dialog() { return *forms->audiosetup; }
    Ui::TAudioSetup& ui() { return *forms->audiosetup->ui; }
    QList<QComboBox*> dependentLists()
    {
        return {ui().Port, ui().IRQ, ui().DMA8, ui().DMA16, ui().NumVoices, ui().Mixing, ui().Channels, ui().MixRate};
    }
    QList<int> selections()
    {
        QList<int> result;
        for (QComboBox* list : dependentLists())
            result << list->currentIndex();
        return result;
    }
    int enabledCount()
    {
        int n = 0;
        for (QComboBox* list : dependentLists())
            n += list->isEnabled();
        return n;
    }
    // Picks the card the way the user does, with the arrow keys on the list.
    void pickCard(int index)
    {
        while (ui().SFXCard->currentIndex() != index) {
            sendKey(ui().SFXCard, index > ui().SFXCard->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        }
    }
    static QStringList itemsOf(QComboBox* list)
    {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }
    QStringList memoLines()
    {
        QStringList lines;
        for (QTextBlock b = forms->view->ui->Memo1->document()->begin(); b.isValid(); b = b.next())
            lines << b.text();
        return lines;
    }
};

TEST_F(AudioDialog, HasItsCaptionSizeItemsAndLabels)
{
    EXPECT_EQ(dialog().windowTitle(), "Audio Configuration");
    EXPECT_EQ(dialog().size(), QSize(431, 248));
    EXPECT_EQ(itemsOf(ui().SFXCard), QStringList({"None", "Sound Blaster", "Sound Blaster AWE 32"}));
    EXPECT_EQ(itemsOf(ui().Port), QStringList({"0210 - 021F", "0220 - 022F", "0230 - 023F", "0240 - 024F",
                                               "0250 - 025F", "0260 - 026F", "0280 - 028F"}));
    EXPECT_EQ(itemsOf(ui().IRQ),
              QStringList({"IRQ 02", "IRQ 03", "IRQ 05", "IRQ 07", "IRQ 10", "IRQ 11", "IRQ 12", "IRQ 15"}));
    EXPECT_EQ(itemsOf(ui().DMA8), QStringList({"0", "1", "3"}));
    EXPECT_EQ(itemsOf(ui().DMA16), QStringList({"5", "6", "7"}));
    EXPECT_EQ(itemsOf(ui().NumVoices), QStringList({"1 Voice", "2 Voices", "3 Voices", "4 Voices", "5 Voices",
                                                    "6 Voices", "7 Voices", "8 Voices"}));
    EXPECT_EQ(itemsOf(ui().Mixing), QStringList({"8 Bit Mixing", "16 Bit Mixing"}));
    EXPECT_EQ(itemsOf(ui().Channels), QStringList({"Mono", "Stereo"}));
    EXPECT_EQ(itemsOf(ui().MixRate), QStringList({"8 Khz", "11 Khz", "16 Khz", "22 Khz", "44 Khz"}));
    for (QComboBox* list : dialog().findChildren<QComboBox*>())
        EXPECT_FALSE(list->isEditable()) << list->objectName().toStdString();

    const QList<QPair<QLabel*, const char*>> labels = {
        {ui().Label1, " Sound Effects "}, {ui().Label2, " Music "},      {ui().Label3, "Sound FX Card"},
        {ui().Label4, "Input/Output Range:"}, {ui().Label5, "Interrupt Request:"}, {ui().Label6, "Direct Memory Access"},
        {ui().Label7, "16 Bit"},         {ui().Label8, "8 Bit"},        {ui().Label9, "Number of Voices"},
        {ui().Label10, "Mixing Bits"},   {ui().Label11, "Channels"},    {ui().Label12, "Mixing Rate"},
    };
    for (const auto& [label, text] : labels)
        EXPECT_EQ(label->text(), text);
    EXPECT_EQ(ui().DisableCDAudio->text(), "Disable CD Audio");
    EXPECT_EQ(ui().Button1->text(), "Ok");
    EXPECT_EQ(ui().Button2->text(), "&Help");
}

TEST_F(AudioDialog, TitlesAreBoldSilverOnBlackOverTheSunkenFrame)
{
    QFrame* bevel = ui().Bevel1;
    EXPECT_EQ(bevel->frameShape(), QFrame::Panel);
    EXPECT_EQ(bevel->frameShadow(), QFrame::Sunken);
    for (QLabel* title : {ui().Label1, ui().Label2, ui().Label6}) {
        EXPECT_TRUE(title->font().bold());
        EXPECT_TRUE(title->autoFillBackground());
        EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(192, 192, 192));
        EXPECT_EQ(title->palette().color(QPalette::Window), QColor(Qt::black));
    }
    // The frame's title sits on its top edge and is drawn over it; the
    // sound-effects lists lie inside the frame and the music heading below.
    const auto children = dialog().children();
    EXPECT_LT(children.indexOf(bevel), children.indexOf(ui().Label1));
    EXPECT_TRUE(ui().Label1->geometry().contains(ui().Label1->x() + 4, bevel->y()));
    for (QComboBox* list : dialog().findChildren<QComboBox*>())
        EXPECT_TRUE(bevel->geometry().contains(list->geometry())) << list->objectName().toStdString();
    EXPECT_GT(ui().Label2->y(), bevel->geometry().bottom());
    EXPECT_GT(ui().DisableCDAudio->y(), bevel->geometry().bottom());
}

TEST_F(AudioDialog, StartsWithTheDefaultsShownAndTheHardwareListsDisabled)
{
    EXPECT_EQ(ui().SFXCard->currentText(), "None");
    QStringList shown;
    for (QComboBox* list : dependentLists())
        shown << list->currentText();
    EXPECT_EQ(shown, QStringList({"0220 - 022F", "IRQ 05", "1", "5", "8 Voices", "16 Bit Mixing", "Stereo", "44 Khz"}));
    EXPECT_EQ(enabledCount(), 0);
    EXPECT_TRUE(ui().SFXCard->isEnabled());
    EXPECT_TRUE(ui().DisableCDAudio->isEnabled());
    EXPECT_FALSE(ui().DisableCDAudio->isChecked());
}

TEST_F(AudioDialog, TabOrderWalksTheControlsInTheirListedOrder)
{
    const QList<QWidget*> order = {ui().SFXCard,   ui().Port,      ui().IRQ,      ui().DMA8,
                                   ui().DMA16,     ui().NumVoices, ui().Mixing,   ui().Channels,
                                   ui().MixRate,   ui().DisableCDAudio, ui().Button1, ui().Button2, ui().ChooseImage};
    QList<QWidget*> chain;
    QWidget* w = order.first();
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
        w = w->nextInFocusChain();
    } while (w != order.first());
    EXPECT_EQ(chain, order);
}

TEST_F(AudioDialog, PickingACardEnablesAllEightAndNoneDisablesThemKeepingSelections)
{
    const QList<int> before = selections();
    pickCard(1);
    EXPECT_EQ(enabledCount(), 8);
    pickCard(0);
    EXPECT_EQ(enabledCount(), 0);
    pickCard(2);
    EXPECT_EQ(enabledCount(), 8);
    EXPECT_EQ(selections(), before);
    ui().DisableCDAudio->setChecked(true);  // whatever the card
    pickCard(0);
    EXPECT_EQ(enabledCount(), 0);
    EXPECT_EQ(selections(), before);
    EXPECT_TRUE(ui().DisableCDAudio->isEnabled());
}

TEST_F(AudioDialog, SettingTheCardFromCodeRunsNothingUntilTheRuleIsCalled)
{
    ui().SFXCard->setCurrentIndex(1);
    EXPECT_EQ(enabledCount(), 0);
    dialog().UpdateCardControls();
    EXPECT_EQ(enabledCount(), 8);
    // No selection counts as no card.
    ui().SFXCard->setCurrentIndex(-1);
    EXPECT_EQ(enabledCount(), 8);
    dialog().UpdateCardControls();
    EXPECT_EQ(enabledCount(), 0);
}

TEST_F(AudioDialog, HelpWithoutTheFileReportsItAndLeavesTheViewerHiddenAndEmpty)
{
    forms->view->ui->Memo1->setPlainText("old text");
    bool viewerShown = false;
    bool stillUsable = false;
    whenModal([&](QWidget*) {
        whenModal([&](QWidget* modal) {
            viewerShown = modal == forms->view.get();
            modal->close();
        });
        ui().Button2->click();
        stillUsable = dialog().isVisible() && dialog().isEnabled() && QApplication::activeModalWidget() == &dialog();
        ui().Button1->click();
    });
    dialog().exec();
    EXPECT_EQ(errors, QStringList{"Cannot open file SETUPHLP.TXT"});
    EXPECT_FALSE(viewerShown);
    EXPECT_TRUE(stillUsable);
    EXPECT_TRUE(forms->view->ui->Memo1->toPlainText().isEmpty());
    QApplication::processEvents();  // let the pending check give up on a viewer that never came
}

TEST_F(AudioDialog, HelpShowsTheFileLineByLineOverTheDialogAndReloadsItEachTime)
{
    platform.putFile("SETUPHLP.TXT", std::string("HELP\r\nCR only\rLF only\n\nna\xefve\r\n"));
    QStringList shownLines;
    QWidget* shown = nullptr;
    whenModal([&](QWidget* modal) {
        shown = modal;
        shownLines = memoLines();
        forms->view->ui->Memo1->appendPlainText("typed by the user");
        forms->view->ui->Button1->click();
    });
    ui().Button2->click();
    EXPECT_EQ(shown, forms->view.get());
    EXPECT_FALSE(forms->view->isVisible());
    const QStringList expected = {"HELP", "CR only", "LF only", "", QString::fromLatin1("na\xefve")};
    EXPECT_EQ(shownLines, expected);

    whenModal([&](QWidget* modal) {
        shownLines = memoLines();
        modal->close();
    });
    ui().Button2->click();
    EXPECT_EQ(shownLines, expected);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(AudioDialog, TheViewerWrapsLongLinesAndScrollsVertically)
{
    Tview& view = *forms->view;
    EXPECT_EQ(view.windowTitle(), "File Viewer");
    EXPECT_EQ(view.size(), QSize(509, 312));
    EXPECT_EQ(view.ui->Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(view.ui->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(view.ui->Memo1->isReadOnly());
    EXPECT_EQ(view.ui->Button1->text(), "Ok");
}

TEST_F(AudioDialog, WhereTheGameRunsInDosBoxAPortDosBoxLacksIsNotedAndKeptAsChosen)
{
    struct Case {
        bool dosBox;
        int card, port;
        const char* note;  // "" for none
    };
    const char* const at0210 = "DOSBox cannot emulate a Sound Blaster at 0210 - 021F: the game will have no sound "
                               "effects. 0220, 0240, 0260 and 0280 work.";
    const Case cases[] = {
        {true, 1, 0, at0210},
        {true, 2, 4, "DOSBox cannot emulate a Sound Blaster at 0250 - 025F"},
        {true, 1, 3, ""},
        {true, 0, 0, ""},  // no card, no sound to lose
        {false, 1, 0, ""},
    };
    ui().DisableCDAudio->setChecked(true);  // no note on the music
    const int formHeight = dialog().height();
    for (const Case& c : cases) {
        platform.dosBoxStarts = c.dosBox;
        setItemIndex(ui().SFXCard, c.card);
        setItemIndex(ui().Port, c.port);
        QString shown;
        int height = 0;
        whenModal([&](QWidget*) {
            shown = ui().DosBoxNote->isVisible() ? ui().DosBoxNote->text() : QString();
            height = dialog().height();
            dialog().close();
        });
        dialog().exec();
        EXPECT_TRUE(*c.note ? shown.startsWith(c.note) : shown.isEmpty()) << shown.toStdString();
        EXPECT_EQ(height > formHeight, *c.note != '\0') << c.note;
        EXPECT_EQ(ui().Port->currentIndex(), c.port);
    }
    // The note follows the pick while the dialog is open.
    platform.dosBoxStarts = true;
    whenModal([&](QWidget*) {
        setItemIndex(ui().Port, 2);
        EXPECT_TRUE(ui().DosBoxNote->isVisible());
        setItemIndex(ui().Port, 1);
        EXPECT_FALSE(ui().DosBoxNote->isVisible());
        EXPECT_EQ(dialog().height(), formHeight);
        // What the file holds and neither the lists nor DOSBox take.
        dialog().setFileNote("The settings file gives IRQ 4");
        EXPECT_TRUE(ui().DosBoxNote->isVisible());
        dialog().close();
    });
    dialog().exec();
}

TEST_F(AudioDialog, WithCdAudioInDosBoxTheNoteSaysWhereTheMusicComesFromAndTheChoiceIsKeptForTheFolder)
{
    const QTemporaryDir game;
    platform.cwd = QFile::encodeName(game.path()).toStdString();
    auto put = [&](const QString& name, const QByteArray& bytes) {
        QDir(game.path()).mkpath(QFileInfo(game.filePath(name)).path());
        QFile file(game.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    struct Case {
        bool dosBox, cdAudio;
        const char *file, *text;  // put into the game folder first, where given
        const char* note;         // the note's beginning; "" for none
    };
    const Case cases[] = {
        {true, true, "", "", "No CD image of the game was found"},
        {false, true, "", "", ""},
        {true, false, "", "", ""},
        {true, true, "CD/Vornhale.cue", "FILE \"Track02.OGG\" OGG\nTRACK 02 AUDIO\n", "The game's CD image"},
        {true, true, "CD/track02.ogg", "", "The music plays from the CD image"},  // its name in another case
    };
    for (const Case& c : cases) {
        if (*c.file)
            put(c.file, c.text);
        platform.dosBoxStarts = c.dosBox;
        ui().DisableCDAudio->setChecked(!c.cdAudio);
        QString shown;
        whenModal([&](QWidget*) {
            shown = ui().MusicNote->isVisible() ? ui().MusicNote->text() : QString();
            EXPECT_EQ(ui().ChooseImage->isVisible(), !shown.isEmpty());
            dialog().close();
        });
        dialog().exec();
        EXPECT_TRUE(*c.note ? shown.startsWith(c.note) : shown.isEmpty()) << shown.toStdString();
    }
    // The chooser's pick wins over what lies in the folder, and is kept.
    put("Other.ins", "FILE \"CD/TRACK02.OGG\" OGG\nTRACK 02 AUDIO\n");
    whenModal([&](QWidget*) {
        whenModal([&](QWidget* chooser) {
            qobject_cast<QFileDialog*>(chooser)->selectFile(game.filePath("Other.ins"));
            QMetaObject::invokeMethod(chooser, "accept");
        });
        ui().ChooseImage->click();
        dialog().close();
    });
    dialog().exec();
    EXPECT_TRUE(ui().MusicNote->text().contains("Other.ins")) << ui().MusicNote->text().toStdString();
    EXPECT_EQ(cdimage::chosen(platform.cwd), QFile::encodeName(game.filePath("Other.ins")).toStdString());
    cdimage::choose(platform.cwd, "");
}
