#include "dialogs/_audiosetup.h"

#include "ui__audiosetup.h"

TAudioSetup::TAudioSetup(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TAudioSetup>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

TAudioSetup::~TAudioSetup() = default;
