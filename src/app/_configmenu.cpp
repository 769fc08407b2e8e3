#include "app/_configmenu.h"

#include "ui__configmenu.h"

Tconfigmenu::Tconfigmenu(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::Tconfigmenu>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

Tconfigmenu::~Tconfigmenu() = default;
