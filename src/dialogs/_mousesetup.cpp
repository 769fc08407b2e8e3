#include "dialogs/_mousesetup.h"

#include "ui__mousesetup.h"

#include "components/ErrorBox.h"
#include "components/ListIndex.h"
#include "dialogs/ButtonActionList.h"

TMouseSetup::TMouseSetup(QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TMouseSetup>())
{
    ui->setupUi(this);
    finishForm();
    for (QComboBox* list : {ui->m_leftb, ui->m_midb, ui->m_rightb, ui->m_dbl_leftb, ui->m_dbl_midb, ui->m_dbl_rightb})
        fillButtonList(list);

    connect(ui->m_aim_toggle, &QCheckBox::toggled, this, guarded([this] { m_aim_toggleClick(); }));
    connect(ui->m_aim_moment, &QCheckBox::toggled, this, guarded([this] { m_aim_momentClick(); }));
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    FormCreate();
}

TMouseSetup::~TMouseSetup() = default;

void TMouseSetup::FormCreate()
{
    setItemIndex(ui->m_leftb, 0);
    setItemIndex(ui->m_midb, 3);
    setItemIndex(ui->m_rightb, 10);
    setItemIndex(ui->m_dbl_leftb, 11);
    setItemIndex(ui->m_dbl_midb, 3);
    setItemIndex(ui->m_dbl_rightb, 10);
    ui->m_aim_toggle->setChecked(true);
    ui->m_Sens->setValue(160);
}

void TMouseSetup::m_aim_toggleClick() { ui->m_aim_moment->setChecked(!ui->m_aim_toggle->isChecked()); }

void TMouseSetup::m_aim_momentClick() { ui->m_aim_toggle->setChecked(!ui->m_aim_moment->isChecked()); }

void TMouseSetup::Button1Click() { accept(); }
