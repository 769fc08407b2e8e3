#include "multiplayer/_modem.h"

#include "ui__miscsetup.h"
#include "ui__modem.h"

#include "components/ErrorBox.h"
#include "core/Errors.h"
#include "multiplayer/LaunchFile.h"
#include "multiplayer/StartSequence.h"
#include "multiplayer/TypedText.h"
#include "multiplayer/_miscsetup.h"
#include "multiplayer/_waitforcall.h"

TModem::TModem(const NetworkStart& start, TMiscSetup& misc, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::TModem>()), start_(start), misc_(misc)
{
    ui->setupUi(this);
    finishForm();
    waitforcall = std::make_unique<TWaitForCall>(start_.platform);
    typedtext::holdFileText(ui->NetName);
    typedtext::holdFileText(ui->PhoneNum);
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
    connect(ui->Button3, &QPushButton::clicked, this, guarded([this] { Button3Click(); }));
}

TModem::~TModem() = default;

void TModem::Button1Click() { startModemGame(/*call=*/true); }

void TModem::Button2Click() { startModemGame(/*call=*/false); }

// Aborting starts nothing: a user who backs out must not find a network game
// waiting for a call and the launcher gone.
void TModem::Button3Click() { reject(); }

void TModem::startModemGame(bool call)
{
    // In DOSBox the misc dialog's COM port is DOSBox's modem, which dials
    // the number as typed and answers calls on its TCP port.
    dosbox::Network network;
    if (NetworkDriverRunsInDosBox(start_.platform)) {
        network.kind = dosbox::Network::Kind::Modem;
        network.comPort = misc_.ui->ComPort->currentIndex() + 1;
        network.port = dosbox::DefaultModemPort;
        // Started anyway, the game would wait for a modem that is not there.
        if (!dosbox::emulatesSerialPort(network.comPort))
            throw LauncherError(misc_.dosBoxPortProblem().toStdString());
        // Waiting for the call hosts the game: the other player calls here.
        if (!call && !waitforcall->Ask(network.port))
            return;
    }
    StartNetworkGame(start_, *this, ui->NetName, [this, call] {
        // The serial port set-up lives only in the misc dialog's controls.
        const Ui::TMiscSetup& misc = *misc_.ui;
        launchfile::ModemGame game;
        game.call = call;
        game.dialingIndex = ui->RadioGroup1->itemIndex();
        game.comPortIndex = misc.ComPort->currentIndex();
        game.advanced = misc.AdvCom->isChecked();
        game.irq = typedtext::bytes(misc.ComIRQ);
        game.uart = typedtext::bytes(misc.COMUart);
        game.initString = typedtext::bytes(misc.InitStr);
        game.phoneNumber = typedtext::bytes(ui->PhoneNum);
        return launchfile::modemLines(game);
    }, network);
}
