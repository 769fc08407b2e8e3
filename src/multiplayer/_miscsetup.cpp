#include "multiplayer/_miscsetup.h"

#include "ui__miscsetup.h"

TMiscSetup::TMiscSetup(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TMiscSetup>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

TMiscSetup::~TMiscSetup() = default;
