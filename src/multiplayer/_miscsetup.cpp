#include "multiplayer/_miscsetup.h"

#include "ui__miscsetup.h"

#include "components/ErrorBox.h"
#include "components/ListIndex.h"
#include "multiplayer/TypedText.h"
#include "multiplayer/modem_list.h"

TMiscSetup::TMiscSetup(QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TMiscSetup>())
{
    ui->setupUi(this);
    finishForm();
    for (QLineEdit* edit : {ui->InitStr, ui->ComIRQ, ui->COMUart})
        typedtext::holdFileText(edit);
    connect(ui->AdvCom, &QCheckBox::toggled, this, guarded([this] { AdvComClick(); }));
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
    FormCreate();
}

TMiscSetup::~TMiscSetup() = default;

void TMiscSetup::FormCreate()
{
    ui->ControlMethod->setItemIndex(1);
    setItemIndex(ui->ComPort, 1);
    ui->InitStr->setText(QStringLiteral("AT&F1"));
    ui->AdvCom->setChecked(false);
    ui->ComIRQ->setText(QStringLiteral("n/a"));
    ui->COMUart->setText(QStringLiteral("n/a"));
    AdvComClick();
}

void TMiscSetup::AdvComClick()
{
    const bool advanced = ui->AdvCom->isChecked();
    ui->ComIRQ->setEnabled(advanced);
    ui->COMUart->setEnabled(advanced);
}

// How the selection dialog closes does not matter: its OK has already put
// the chosen modem into this dialog.
void TMiscSetup::Button1Click()
{
    TSelectModem& select = *modemList_;
    select.FillModemList();
    select.exec();
}

void TMiscSetup::Button2Click() { accept(); }
