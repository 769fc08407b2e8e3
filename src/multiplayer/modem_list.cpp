#include "multiplayer/modem_list.h"

#include "ui__miscsetup.h"
#include "ui_modem_list.h"

#include "components/AnsiText.h"
#include "components/ErrorBox.h"
#include "components/ListIndex.h"
#include "multiplayer/ModemWalk.h"
#include "multiplayer/_miscsetup.h"
#include "platform/Platform.h"

namespace {
constexpr int SubkeyRole = Qt::UserRole;
}

TSelectModem::TSelectModem(Platform& platform, TMiscSetup& misc, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::TSelectModem>()), platform_(platform), misc_(misc)
{
    ui->setupUi(this);
    finishForm();
    // A plain dialog frame: the user leaves by OK or Cancel (or Escape).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    connect(ui->ModemList, &QListWidget::itemSelectionChanged, this, guarded([this] { ModemListClick(); }));
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
}

TSelectModem::~TSelectModem() = default;

void TSelectModem::FillModemList()
{
    ui->ModemList->clear();
    for (const modemwalk::Modem& modem : modemwalk::findModems(platform_.registry())) {
        auto* item = new QListWidgetItem(ansitext::fromBytes(modem.description), ui->ModemList);
        item->setData(SubkeyRole, modem.number);
    }
}

// Once enabled, OK stays so, even over a later list with nothing selected.
void TSelectModem::ModemListClick()
{
    if (!ui->ModemList->selectedItems().isEmpty())
        ui->Button1->setEnabled(true);
}

void TSelectModem::Button1Click()
{
    const QList<QListWidgetItem*> selected = ui->ModemList->selectedItems();
    if (!selected.isEmpty()) {
        const int number = selected.first()->data(SubkeyRole).toInt();
        if (auto setup = modemwalk::readSetup(platform_.registry(), number)) {
            Ui::TMiscSetup& misc = *misc_.ui;
            setItemIndex(misc.ComPort, setup->comPortIndex);
            if (setup->initString)
                misc.InitStr->setText(ansitext::fromBytes(*setup->initString));
        }
    }
    accept();
}

void TSelectModem::Button2Click() { reject(); }
