#include "dialogs/_videomode.h"

#include "ui__videomode.h"

#include "components/ErrorBox.h"

Tvideomode::Tvideomode(QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::Tvideomode>())
{
    ui->setupUi(this);
    finishForm();
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
}

Tvideomode::~Tvideomode() = default;

// There is no cancel: the choice stays in ViewMode for the next save.
void Tvideomode::Button1Click() { accept(); }
