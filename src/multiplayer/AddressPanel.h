#pragma once
// The part of a hosting window that says where friends join: over the
// internet at the home router's address, which the router forwards to this
// computer, and at home at this computer's own, with a button that copies
// the address to share. The windows that host a game through DOSBox show it
// (the host-or-join window, the wait-for-call window).
//
// The router takes a second or two to answer, so the panel asks it on a
// thread of its own and shows the answer when it comes; the window stays
// responsive all along. A forwarding no game uses is taken back: when the
// window closes without starting the game, and when the launcher ends first.

#include "multiplayer/WhereToJoin.h"

#include "components/Background.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class AddressPanel;
}
class Platform;
class QHideEvent;

class AddressPanel : public QWidget {
    Q_OBJECT
public:
    explicit AddressPanel(QWidget* parent = nullptr);
    ~AddressPanel() override;

    std::unique_ptr<Ui::AddressPanel> ui;

    // Looks for `platform`'s home router anew, for `game` hosted here; what
    // it finds shows as it arrives. A look of an earlier showing no longer
    // counts.
    void lookForRouter(Platform& platform, const wheretojoin::Game& game);
    // Hosts the game. Where another program holds its port, returns why and
    // does nothing else. Otherwise asks the router to forward the port, once
    // the look has ended, and runs `start` when the game may start: at once
    // where no router answered, else when the router has. Where its answer
    // changes where friends join, or refuses, the panel shows it and the
    // game waits for the player: the next call starts at once. A call while
    // the router is asked does nothing, and nothing starts once the window
    // has closed. The forwarding stays for the game once `start` ran.
    QString host(const std::function<void()>& start);

    // What the panel shows now.
    const wheretojoin::Panel& shown() const { return shown_; }

signals:
    // The router answered and the panel shows it.
    void answered();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    enum class Stage {
        Closed,          // not showing: nothing starts
        Looking,         // the router is looked for
        Found,           // the look ended; hosting asks the router
        HostAfterLook,   // the player hosts; the router is asked once the look ends
        Forwarding,      // the router is asked to forward the port
        AnswerShown,     // the router's answer holds the start: the next host starts
        Started,         // the game starts: what the router forwards is its own
    };
    void forward();
    void startGame();
    void takeBack(bool wait);
    void showAnswers();

    Background background_{this};
    Stage stage_ = Stage::Closed;
    Platform* platform_ = nullptr;
    std::shared_ptr<Router> router_;
    wheretojoin::Game game_;
    wheretojoin::Answers answers_;
    wheretojoin::Panel shown_;
    std::function<void()> start_;  // the game's start, once the player hosts
};
