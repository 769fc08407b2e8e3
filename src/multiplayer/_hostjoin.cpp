#include "multiplayer/_hostjoin.h"

#include "ui__hostjoin.h"

#include "components/ErrorBox.h"
#include "components/UserConfig.h"
#include "multiplayer/AddressPanel.h"
#include "platform/Platform.h"

namespace {
// The player's last answer, in the launcher's own configuration.
const QString AnswerKey = QStringLiteral("IPX/Answer");
const QString AddressKey = QStringLiteral("IPX/Address");
const QString Join = QStringLiteral("join");
const QString Host = QStringLiteral("host");
}  // namespace

THostJoin::THostJoin(Platform& platform, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::THostJoin>()), platform_(platform)
{
    ui->setupUi(this);
    finishForm();
    ui->HostGame->setText(ui->HostGame->text().arg(dosbox::DefaultIpxPort));
    // Typing an address is choosing to join there.
    connect(ui->JoinAddress, &QLineEdit::textEdited, this, [this] {
        ui->JoinGame->setChecked(true);
        ui->Reason->clear();
    });
    // Where friends join matters only to a host.
    connect(ui->HostGame, &QRadioButton::toggled, ui->AddressGroup, &QWidget::setEnabled);
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
}

THostJoin::~THostJoin() = default;

std::optional<dosbox::Network> THostJoin::Ask()
{
    const auto config = UserConfig::open();
    const bool join = config->value(AnswerKey).toString() == Join;
    ui->JoinAddress->setText(config->value(AddressKey).toString());
    ui->Reason->clear();
    if (join) {
        ui->JoinGame->setChecked(true);
        ui->JoinAddress->selectAll();
        ui->JoinAddress->setFocus();
    } else {
        ui->HostGame->setChecked(true);
        ui->HostGame->setFocus();
    }
    ui->AddressGroup->setEnabled(!join);
    ui->Addresses->lookForRouter(platform_, {ipxPort(dosbox::DefaultIpxPort), false, "OK"});
    answer_.reset();
    exec();
    return answer_;
}

void THostJoin::Button1Click()
{
    dosbox::Network network;
    const bool join = ui->JoinGame->isChecked();
    const QString typed = ui->JoinAddress->text().trimmed();
    if (join) {
        const dosbox::Address address = dosbox::parseAddress(typed.toStdString());
        if (!address.problem.empty()) {
            ui->Reason->setText(QString::fromStdString(address.problem));
            ui->JoinAddress->selectAll();
            ui->JoinAddress->setFocus();
            return;
        }
        network.kind = dosbox::Network::Kind::IpxJoin;
        network.host = address.host;
        network.port = address.port;
        finish(network, typed);
        return;
    }
    network.kind = dosbox::Network::Kind::IpxHost;
    network.port = dosbox::DefaultIpxPort;
    // The router is asked before the game starts; the window waits for it
    // without freezing, and stays open where its answer needs reading.
    ui->Reason->setText(ui->Addresses->host([this, network] { finish(network, {}); }));
}

void THostJoin::finish(const dosbox::Network& network, const QString& typed)
{
    const bool join = network.kind == dosbox::Network::Kind::IpxJoin;
    const auto config = UserConfig::open();
    config->setValue(AnswerKey, join ? Join : Host);
    if (join)
        config->setValue(AddressKey, typed);
    UserConfig::store(*config);
    answer_ = network;
    accept();
}

void THostJoin::Button2Click() { reject(); }
