#include "dialogs/_view.h"

#include "ui__view.h"

#include "components/ErrorBox.h"

Tview::Tview(QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::Tview>())
{
    ui->setupUi(this);
    finishForm();
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
}

Tview::~Tview() = default;

void Tview::Button1Click() { accept(); }
