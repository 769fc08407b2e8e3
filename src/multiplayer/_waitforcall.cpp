#include "multiplayer/_waitforcall.h"

#include "ui__waitforcall.h"

#include "components/ErrorBox.h"
#include "multiplayer/AddressPanel.h"

TWaitForCall::TWaitForCall(Platform& platform, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::TWaitForCall>()), platform_(platform)
{
    ui->setupUi(this);
    finishForm();
    intro_ = ui->Label1->text();
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
}

TWaitForCall::~TWaitForCall() = default;

bool TWaitForCall::Ask(int port)
{
    ui->Label1->setText(intro_.arg(port));
    ui->Reason->clear();
    ui->Button1->setFocus();
    ui->Addresses->lookForRouter(platform_, {modemPort(port), true, "Start"});
    return exec() == QDialog::Accepted;
}

void TWaitForCall::Button1Click()
{
    ui->Reason->setText(ui->Addresses->host([this] { accept(); }));
}

void TWaitForCall::Button2Click() { reject(); }
