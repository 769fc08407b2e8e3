#include "multiplayer/AddressPanel.h"

#include "ui_AddressPanel.h"

#include "components/ErrorBox.h"
#include "platform/Platform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHideEvent>

#include <mutex>
#include <thread>
#include <utility>

namespace {
// How long the router has to answer the look.
constexpr std::chrono::milliseconds LookTimeout(2000);
}  // namespace

// Where a thread hands its result to the panel. The panel closes it when it
// goes, so a thread that ends later (the launcher ends as soon as the game
// starts) delivers nothing and touches nothing of the panel's; it keeps only
// what it shares with this mailbox.
struct AddressPanel::Mailbox {
    std::mutex mutex;
    QObject* receiver = nullptr;
};

AddressPanel::AddressPanel(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::AddressPanel>()), mailbox_(std::make_shared<Mailbox>())
{
    ui->setupUi(this);
    mailbox_->receiver = this;
    // Tab reaches the panel's one control.
    setFocusProxy(ui->Copy);
    connect(ui->Copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(QString::fromStdString(shown_.copied)); });
    showAnswers();
}

AddressPanel::~AddressPanel()
{
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->receiver = nullptr;
}

template <class Result>
void AddressPanel::aside(std::function<Result()> job, std::function<void(const Result&)> done)
{
    std::thread([mailbox = mailbox_, job = std::move(job), done = std::move(done)] {
        // A failure here must not end the launcher: it reads as no answer.
        Result result{};
        try {
            result = job();
        } catch (...) {
        }
        const std::lock_guard lock(mailbox->mutex);
        if (mailbox->receiver)
            QMetaObject::invokeMethod(mailbox->receiver, [done, result] { done(result); }, Qt::QueuedConnection);
    }).detach();
}

void AddressPanel::look(Platform& platform, const wheretojoin::Game& game)
{
    const int round = ++round_;
    platform_ = &platform;
    router_ = platform.router();
    game_ = game;
    answers_ = {};
    afterLook_ = nullptr;
    forwardAsked_ = hosting_ = false;
    showAnswers();
    aside<Router::Found>([router = router_] { return router->find(LookTimeout); },
                         [this, round](const Router::Found& found) {
                             if (round != round_)
                                 return;
                             answers_.found = found;
                             showAnswers();
                             if (auto waiting = std::exchange(afterLook_, nullptr))
                                 forward(waiting);
                         });
}

QString AddressPanel::host(const std::function<void()>& start)
{
    if (hosting_)
        return {};
    if (!platform_->portFree(game_.protocol, game_.port))
        return QString::fromStdString(wheretojoin::portInUse(game_.protocol, game_.port));
    hosting_ = true;
    forward([this, start](bool startNow) {
        hosting_ = false;
        if (startNow)
            runGuarded(start);
    });
    return {};
}

void AddressPanel::forward(std::function<void(bool)> then)
{
    if (!answers_.found) {
        afterLook_ = std::move(then);
        return;
    }
    // The player has read what the router answered, or there is no router
    // to ask: the game starts as it is.
    if (forwardAsked_ || answers_.found->way == Router::Found::Way::None) {
        then(true);
        return;
    }
    forwardAsked_ = true;
    ui->Explanation->setText(QStringLiteral("Asking your router to forward %1 port %2...")
                                 .arg(QString::fromLatin1(protocolName(game_.protocol)))
                                 .arg(game_.port));
    const int round = round_;
    aside<Router::Forwarded>(
        [router = router_, game = game_] { return router->forward(game.protocol, game.port, wheretojoin::Lease); },
        [this, round, then = std::move(then)](const Router::Forwarded& forwarded) {
            if (round != round_)
                return;
            answers_.forwarded = forwarded;
            showAnswers();
            then(!shown_.holdStart);
        });
}

void AddressPanel::hideEvent(QHideEvent* event)
{
    // A closed window starts nothing, whatever the router answers later.
    ++round_;
    afterLook_ = nullptr;
    hosting_ = false;
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
