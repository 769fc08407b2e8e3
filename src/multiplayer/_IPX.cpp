#include "multiplayer/_IPX.h"

#include "ui__IPX.h"

TIPX::TIPX(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TIPX>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

TIPX::~TIPX() = default;
