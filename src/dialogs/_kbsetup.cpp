#include "dialogs/_kbsetup.h"

#include "ui__kbsetup.h"

Tkbsetup::Tkbsetup(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::Tkbsetup>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

Tkbsetup::~Tkbsetup() = default;
