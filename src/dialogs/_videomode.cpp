#include "dialogs/_videomode.h"

#include "ui__videomode.h"

Tvideomode::Tvideomode(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::Tvideomode>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

Tvideomode::~Tvideomode() = default;
