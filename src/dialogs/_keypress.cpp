#include "dialogs/_keypress.h"

#include "ui__keypress.h"

TGetKeyP::TGetKeyP(Forms& forms, QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TGetKeyP>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();
}

TGetKeyP::~TGetKeyP() = default;
