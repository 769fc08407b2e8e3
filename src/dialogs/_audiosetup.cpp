#include "dialogs/_audiosetup.h"

#include "ui__audiosetup.h"
#include "ui__view.h"

#include "components/AnsiText.h"
#include "components/CdImage.h"
#include "components/DosBoxStart.h"
#include "components/ErrorBox.h"
#include "components/ListIndex.h"
#include "core/Text.h"
#include "dialogs/_view.h"
#include "platform/Platform.h"

#include <QStringList>

TAudioSetup::TAudioSetup(Platform& platform, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::TAudioSetup>()), platform_(platform)
{
    ui->setupUi(this);
    finishForm();

    // `activated`, not `currentIndexChanged`: only the user's pick runs the
    // rule; a load sets the card and then calls the rule itself.
    connect(ui->SFXCard, &QComboBox::activated, this, guarded([this] { SFXCardChange(); }));
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
    // The note follows the lists however they change, a load included.
    for (QComboBox* list : {ui->SFXCard, ui->Port})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { UpdateDosBoxNote(); });
    connect(ui->DisableCDAudio, &QCheckBox::toggled, this, [this] { UpdateDosBoxNote(); });
    connect(ui->ChooseImage, &QPushButton::clicked, this, guarded([this] { ChooseImageClick(); }));
    FormCreate();
}

TAudioSetup::~TAudioSetup() = default;

void TAudioSetup::FormCreate()
{
    // The usual Sound Blaster set-up, ready for when a card is chosen.
    setItemIndex(ui->SFXCard, 0);
    setItemIndex(ui->Port, 1);
    setItemIndex(ui->IRQ, 2);
    setItemIndex(ui->DMA8, 1);
    setItemIndex(ui->DMA16, 0);
    setItemIndex(ui->NumVoices, 7);
    setItemIndex(ui->Mixing, 1);
    setItemIndex(ui->Channels, 1);
    setItemIndex(ui->MixRate, 4);
    UpdateCardControls();
}

void TAudioSetup::UpdateCardControls()
{
    // No selection counts as no card, like "None".
    const bool card = ui->SFXCard->currentIndex() > 0;
    for (QWidget* w : {static_cast<QWidget*>(ui->Port), static_cast<QWidget*>(ui->IRQ), static_cast<QWidget*>(ui->DMA8),
                       static_cast<QWidget*>(ui->DMA16), static_cast<QWidget*>(ui->NumVoices),
                       static_cast<QWidget*>(ui->Mixing), static_cast<QWidget*>(ui->Channels),
                       static_cast<QWidget*>(ui->MixRate)})
        w->setEnabled(card);
}

void TAudioSetup::showEvent(QShowEvent* event)
{
    gameInDosBox_ = dosboxstart::gameRunsInDosBox(platform_);
    musicImage_.reset();
    UpdateDosBoxNote();
    FixedDialog::showEvent(event);
}

namespace {
// Each item of the port list begins with its address: "0240 - 024F".
bool emulatedPort(const QString& item) { return dosbox::emulatesSoundBlasterAt(item.left(4).toInt(nullptr, 16)); }

// The list's ports DOSBox emulates, as the player reads them: "0220, 0240
// and 0260".
QString emulatedPorts(const QComboBox& ports)
{
    QStringList addresses;
    for (int i = 0; i < ports.count(); ++i)
        if (emulatedPort(ports.itemText(i)))
            addresses << ports.itemText(i).left(4);
    const QString last = addresses.isEmpty() ? QString() : addresses.takeLast();
    return addresses.isEmpty() ? last : QStringLiteral("%1 and %2").arg(addresses.join(QStringLiteral(", ")), last);
}
}  // namespace

void TAudioSetup::UpdateDosBoxNote()
{
    QString note;
    if (gameInDosBox_ && ui->SFXCard->currentIndex() > 0 && ui->Port->currentIndex() >= 0 &&
        !emulatedPort(ui->Port->currentText()))
        note = QStringLiteral("DOSBox cannot emulate a Sound Blaster at %1: the game will have no sound effects. "
                              "%2 work.")
                   .arg(ui->Port->currentText(), emulatedPorts(*ui->Port));
    // The choice on screen first; the note has room for one.
    if (gameInDosBox_ && note.isEmpty())
        note = fileNote_;
    showNote(ui->DosBoxNote, note);
    UpdateMusicNote();
}

void TAudioSetup::SFXCardChange() { UpdateCardControls(); }

// There is no cancel: the choices stay in the lists for the next save.
void TAudioSetup::Button1Click() { accept(); }

void TAudioSetup::Button2Click()
{
    Tview& view = *helpViewer_;
    // Cleared first, so a missing help file leaves an empty viewer rather
    // than the previous text.
    view.ui->Memo1->clear();
    QStringList shown;
    for (const std::string& line : text::splitLines(platform_.readFile("SETUPHLP.TXT")))
        shown << ansitext::fromBytes(line);
    view.ui->Memo1->setPlainText(shown.join(QLatin1Char('\n')));
    view.exec();
}
