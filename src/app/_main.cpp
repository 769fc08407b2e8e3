#include "app/_main.h"

#include "ui__main.h"

#include "app/Forms.h"
#include "app/_configmenu.h"
#include "components/AnsiText.h"
#include "components/DosBoxDisplay.h"
#include "components/DosBoxStart.h"
#include "components/ErrorBox.h"
#include "components/FixedDialog.h"
#include "components/GoToWeb.h"
#include "core/GameFiles.h"
#include "multiplayer/_IPX.h"
#include "multiplayer/_modem.h"
#include "platform/Platform.h"
#include "settings/_config.h"
#include "ui__IPX.h"
#include "ui__modem.h"

#include <QCloseEvent>
#include <QKeyEvent>

Tmain::Tmain(Forms& forms, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Tmain>()), WebJump(new TGoToWeb(forms.platform, this)), forms_(forms)
{
    ui->setupUi(this);
    window::makeFixed(this, /*minimiseBox=*/true);

    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
    connect(ui->BitBtn1, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));
    connect(ui->Button3, &QPushButton::clicked, this, guarded([this] { openPage("\\web\\Selvane\\Index.htm"); }));
    connect(ui->Button7, &QPushButton::clicked, this, guarded([this] { openPage("\\web\\Ostrevel\\Index.htm"); }));
    connect(ui->Button4, &QPushButton::clicked, this, guarded([this] { openPage("\\web\\Quenlow\\Index.htm"); }));
    connect(ui->Button8, &QPushButton::clicked, this,
            guarded([this] { openPage("\\web\\OnlineKelderin\\Index.htm"); }));
    connect(ui->Button5, &QPushButton::clicked, this, guarded([this] { openPage("\\VirtualStore\\Index.htm"); }));
    connect(ui->Button6, &QPushButton::clicked, this, guarded([this] { Button6Click(); }));
    FormCreate();
}

Tmain::~Tmain() = default;

void Tmain::FormCreate() { MenuMode = 0; }

void Tmain::ResetMainMenu()
{
    ui->Button1->setText(QStringLiteral("&Single Player"));
    ui->Button2->setText(QStringLiteral("&Multiplayer"));
    ui->BitBtn1->setText(QStringLiteral("&Configure"));
    MenuMode = 0;
}

void Tmain::Button1Click()
{
    if (MenuMode == 0) {
        // In DOSBox the game finds the PC its settings name, read from the
        // file as it stands: this start loads nothing into the dialogs.
        Platform& platform = forms_.platform;
        dosbox::Setup setup;
        if (platform.startsInDosBox(gamefiles::Game, "."))
            setup = dosboxstart::writeSetup(platform, {}, forms_.config->EmulatedHardware(),
                                         dosboxdisplay::screenOf(this));
        platform.startProgramWith(gamefiles::Game, SW_SHOWNORMAL_VALUE, setup);
        platform.quit();
        return;
    }
    forms_.config->LoadSettings();
    TIPX& ipx = *forms_.ipx;
    ipx.ui->NetName->setText(ansitext::fromBytes(forms_.config->StoredPlayerName));
    ipx.ui->IPX_NumPlayers->setCurrentIndex(0);
    ipx.exec();
    ResetMainMenu();
}

void Tmain::Button2Click()
{
    if (MenuMode == 0) {
        ui->Button1->setText(QStringLiteral("Play Vornhale via IPX network"));
        ui->Button2->setText(QStringLiteral("Play Vornhale via Modem"));
        ui->BitBtn1->setText(QStringLiteral("Return to Main Menu"));
        MenuMode = 1;
        return;
    }
    forms_.config->LoadSettings();
    TModem& modem = *forms_.modem;
    modem.ui->NetName->setText(ansitext::fromBytes(forms_.config->StoredPlayerName));
    modem.exec();
    ResetMainMenu();
}

void Tmain::BitBtn1Click()
{
    if (MenuMode != 0) {
        ResetMainMenu();
        return;
    }
    hide();
    // A failed load is reported while the menu is hidden, and the menu comes
    // back either way: a launcher with no visible window could not be ended.
    if (runGuarded([this] { forms_.config->LoadSettings(); }))
        forms_.configmenu->exec();
    show();
}

void Tmain::Button6Click() { forms_.platform.quit(); }

void Tmain::openPage(const char* pagePath)
{
    std::string path(pagePath);
    for (char& c : path)
        if (c == '\\')
            c = forms_.platform.pathSeparator();
    WebJump->Url = forms_.platform.currentDirectory() + path;
    WebJump->Execute();
}

void Tmain::closeEvent(QCloseEvent* event)
{
    event->accept();
    forms_.platform.quit();
}

void Tmain::showEvent(QShowEvent* event)
{
    if (!centred_) {
        window::centreOnScreen(this);
        centred_ = true;
    }
    QWidget::showEvent(event);
}

void Tmain::setVisible(bool visible)
{
    if (!visible && isVisible())
        window::noteFrame(this);
    QWidget::setVisible(visible);
}

void Tmain::keyPressEvent(QKeyEvent* event)
{
    if (!window::pressFocusedButton(this, event))
        QWidget::keyPressEvent(event);
}
