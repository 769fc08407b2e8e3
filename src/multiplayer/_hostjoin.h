#pragma once

#include "components/FixedDialog.h"
#include "dosbox/DosBox.h"

#include <memory>
#include <optional>

namespace Ui {
class THostJoin;
}
class Platform;

// Where an IPX game's DOSBoxes meet: the player hosts the game on this
// computer (its DOSBox runs the IPX server) or joins the one hosted at an
// address. It proposes the player's last answer, kept in the player's own
// launcher configuration; until the player has once joined, that is hosting.
// While it shows, it looks for the home router and says where friends join a
// game hosted here; hosting asks the router to forward the IPX server's port.
// A port another program holds refuses hosting, with the reason.
class THostJoin : public FixedDialog {
    Q_OBJECT
public:
    explicit THostJoin(Platform& platform, QWidget* parent = nullptr);
    ~THostJoin() override;

    std::unique_ptr<Ui::THostJoin> ui;

    // Shows the dialog modally with the last answer proposed. The network
    // DOSBox is to set up, or nothing when the player cancelled; an answer
    // is remembered for the next time.
    std::optional<dosbox::Network> Ask();

private:
    void Button1Click();  // "OK"
    void Button2Click();  // "Cancel"
    void finish(const dosbox::Network& network, const QString& typed);

    Platform& platform_;
    std::optional<dosbox::Network> answer_;

};
