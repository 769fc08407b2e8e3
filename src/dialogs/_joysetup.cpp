#include "dialogs/_joysetup.h"

#include "ui__joysetup.h"

TJoySetup::TJoySetup(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TJoySetup>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

TJoySetup::~TJoySetup() = default;
