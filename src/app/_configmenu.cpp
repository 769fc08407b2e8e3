#include "app/_configmenu.h"

#include "ui__configmenu.h"

#include "app/Forms.h"
#include "components/ErrorBox.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_joysetup.h"
#include "dialogs/_kbsetup.h"
#include "dialogs/_mousesetup.h"
#include "dialogs/_videomode.h"
#include "multiplayer/_miscsetup.h"
#include "settings/_config.h"

#include <QKeyEvent>

Tconfigmenu::Tconfigmenu(Forms& forms, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::Tconfigmenu>()), forms_(forms)
{
    ui->setupUi(this);
    finishForm();

    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
    connect(ui->Button7, &QPushButton::clicked, this, guarded([this] { Button7Click(); }));
    connect(ui->Button3, &QPushButton::clicked, this, guarded([this] { Button3Click(); }));
    connect(ui->Button4, &QPushButton::clicked, this, guarded([this] { Button4Click(); }));
    connect(ui->Button5, &QPushButton::clicked, this, guarded([this] { Button5Click(); }));
    connect(ui->Button6, &QPushButton::clicked, this, guarded([this] { Button6Click(); }));
}

Tconfigmenu::~Tconfigmenu() = default;

// The dialogs hold their values in their own controls and have no cancel, so
// there is no result to look at when they close.
void Tconfigmenu::Button1Click() { forms_.videomode->exec(); }
void Tconfigmenu::Button2Click() { forms_.audiosetup->exec(); }
void Tconfigmenu::Button7Click() { forms_.miscsetup->exec(); }
void Tconfigmenu::Button3Click() { forms_.kbsetup->exec(); }
void Tconfigmenu::Button4Click() { forms_.mousesetup->exec(); }
void Tconfigmenu::Button5Click() { forms_.joysetup->exec(); }

void Tconfigmenu::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel))
        return;
    FixedDialog::keyPressEvent(event);
}

void Tconfigmenu::Button6Click()
{
    // A failed save throws past accept(): the menu stays open so the user can
    // retry or leave through the close box without saving.
    forms_.config->SaveSettings();
    accept();
}
