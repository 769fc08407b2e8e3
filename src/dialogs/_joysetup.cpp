#include "dialogs/_joysetup.h"

#include "ui__joysetup.h"

#include "components/ErrorBox.h"
#include "components/ListIndex.h"
#include "components/RadioGroup.h"
#include "dialogs/ButtonActionList.h"

#include <QRadioButton>

TJoySetup::TJoySetup(QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TJoySetup>())
{
    ui->setupUi(this);
    finishForm();
    for (QComboBox* list : {ui->j_b1, ui->j_b2, ui->j_b3, ui->j_b4, ui->j_dbl_b1, ui->j_dbl_b2, ui->j_dbl_b3, ui->j_dbl_b4})
        fillButtonList(list);
    // The port's buttons take the group's place in the focus order.
    setTabOrder(ui->j_b4, ui->JoyPort->button(0));
    setTabOrder(ui->JoyPort->button(0), ui->JoyPort->button(1));
    setTabOrder(ui->JoyPort->button(1), ui->Button1);

    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    FormCreate();
}

TJoySetup::~TJoySetup() = default;

void TJoySetup::FormCreate()
{
    for (QComboBox* list : {ui->j_b1, ui->j_b2, ui->j_b3, ui->j_b4, ui->j_dbl_b1, ui->j_dbl_b2, ui->j_dbl_b3, ui->j_dbl_b4})
        setItemIndex(list, 0);
    ui->JoyPort->setItemIndex(0);
}

void TJoySetup::Button1Click() { accept(); }
