#include "dialogs/_mousesetup.h"

#include "ui__mousesetup.h"

TMouseSetup::TMouseSetup(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TMouseSetup>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

TMouseSetup::~TMouseSetup() = default;
