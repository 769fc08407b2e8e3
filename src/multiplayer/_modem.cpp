#include "multiplayer/_modem.h"

#include "ui__modem.h"

TModem::TModem(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TModem>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

TModem::~TModem() = default;
