#include "multiplayer/AddressPanel.h"

#include "ui_AddressPanel.h"

#include "components/ErrorBox.h"
#include "platform/Platform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHideEvent>

#include <thread>
#include <utility>

namespace {
// How long the router has to answer the look.
constexpr std::chrono::milliseconds LookTimeout(2000);
}  // namespace

AddressPanel::AddressPanel(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::AddressPanel>())
{
    ui->setupUi(this);
    // Tab reaches the panel's one control.
    setFocusProxy(ui->Copy);
    connect(ui->Copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(QString::fromStdString(shown_.copied)); });
    showAnswers();
}

AddressPanel::~AddressPanel()
{
    // The launcher ends before the game starts: nothing stays forwarded.
    takeBack(true);
}

void AddressPanel::lookForRouter(Platform& platform, const wheretojoin::Game& game)
{
    takeBack(false);
    background_.dropPending();
    stage_ = Stage::Looking;
    platform_ = &platform;
    router_ = platform.router();
    game_ = game;
    answers_ = {};
    start_ = nullptr;
    showAnswers();
    background_.run<Router::Found>([router = router_] { return router->find(LookTimeout); },
                                   [this](const Router::Found& found) {
                                       answers_.found = found;
                                       showAnswers();
                                       if (std::exchange(stage_, Stage::Found) == Stage::HostAfterLook)
                                           forward();
                                   });
}

QString AddressPanel::host(const std::function<void()>& start)
{
    if (stage_ != Stage::Looking && stage_ != Stage::Found && stage_ != Stage::AnswerShown)
        return {};
    if (!platform_->portFree(game_.port.protocol, game_.port.number))
        return QString::fromStdString(wheretojoin::portInUse(game_.port));
    start_ = start;
    switch (stage_) {
    case Stage::Looking:
        stage_ = Stage::HostAfterLook;
        break;
    case Stage::Found:
        forward();
        break;
    default:  // the player has read what the router answered
        startGame();
        break;
    }
    return {};
}

void AddressPanel::forward()
{
    if (answers_.found->mapping == Router::Found::Mapping::None) {
        startGame();
        return;
    }
    stage_ = Stage::Forwarding;
    ui->Explanation->setText(QString::fromStdString(wheretojoin::asking(game_)));
    const Router::Found found = *answers_.found;
    background_.run<Router::Forwarded>(
        [router = router_, found, port = game_.port] { return router->forward(found, port, wheretojoin::Lease); },
        [this](const Router::Forwarded& forwarded) {
            answers_.forwarded = forwarded;
            showAnswers();
            if (shown_.holdStart)
                stage_ = Stage::AnswerShown;
            else
                startGame();
        },
        // The window closed meanwhile: no game will use the forwarding.
        [router = router_, found, port = game_.port](const Router::Forwarded& forwarded) {
            router->remove(found, port, forwarded);
        });
}

void AddressPanel::startGame()
{
    stage_ = Stage::Started;
    runGuarded(std::exchange(start_, nullptr));
}

void AddressPanel::takeBack(bool wait)
{
    if (stage_ == Stage::Started || !answers_.found || !answers_.forwarded || !answers_.forwarded->externalPort)
        return;
    auto remove = [router = router_, found = *answers_.found, port = game_.port, forwarded = *answers_.forwarded] {
        router->remove(found, port, forwarded);
    };
    answers_.forwarded.reset();
    if (wait)
        remove();
    else
        std::thread(remove).detach();
}

void AddressPanel::hideEvent(QHideEvent* event)
{
    // A closed window starts nothing, whatever the router answers later.
    background_.dropPending();
    takeBack(false);
    if (stage_ != Stage::Started)
        stage_ = Stage::Closed;
    QWidget::hideEvent(event);
}

void AddressPanel::showAnswers()
{
    shown_ = wheretojoin::describe(game_, answers_);
    ui->InternetAddress->setText(QString::fromStdString(shown_.internet));
    ui->HomeAddress->setText(QString::fromStdString(shown_.home));
    ui->Explanation->setText(QString::fromStdString(shown_.explanation));
    ui->Copy->setEnabled(!shown_.copied.empty());
    if (answers_.found)
        emit answered();
}
