#include "multiplayer/_IPX.h"

#include "ui__IPX.h"

#include "components/ErrorBox.h"
#include "multiplayer/LaunchFile.h"
#include "multiplayer/StartSequence.h"
#include "multiplayer/TypedText.h"
#include "multiplayer/_hostjoin.h"

TIPX::TIPX(const NetworkStart& start, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::TIPX>()), start_(start)
{
    ui->setupUi(this);
    finishForm();
    hostjoin = std::make_unique<THostJoin>(start_.platform);
    typedtext::holdFileText(ui->NetName);
    typedtext::holdFileText(ui->IPX_NetSocket);
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
}

TIPX::~TIPX() = default;

void TIPX::Button1Click()
{
    // In DOSBox the players' IPX network runs through one of their DOSBoxes,
    // which this player's either starts or joins. Cancelling starts nothing.
    dosbox::Network network;
    if (NetworkDriverRunsInDosBox(start_.platform)) {
        const auto answer = hostjoin->Ask();
        if (!answer)
            return;
        network = *answer;
    }
    StartNetworkGame(start_, *this, ui->NetName, [this] {
        launchfile::IpxGame game;
        game.playerCountIndex = ui->IPX_NumPlayers->currentIndex();
        game.socket = typedtext::bytes(ui->IPX_NetSocket);
        return launchfile::ipxLines(game);
    }, network);
}

// Nothing typed here is kept: the next showing brings the stored name back.
void TIPX::Button2Click() { reject(); }
