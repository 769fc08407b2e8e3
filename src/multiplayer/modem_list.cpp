#include "multiplayer/modem_list.h"

#include "ui_modem_list.h"

TSelectModem::TSelectModem(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TSelectModem>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

TSelectModem::~TSelectModem() = default;
