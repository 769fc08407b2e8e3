#include "dialogs/_view.h"

#include "ui__view.h"

Tview::Tview(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::Tview>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

Tview::~Tview() = default;
