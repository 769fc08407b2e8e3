#pragma once

#include "components/FixedDialog.h"
#include "multiplayer/StartSequence.h"

#include <memory>

namespace Ui {
class TIPX;
}
class THostJoin;

// An IPX network game for two to eight players. The main menu fills in the
// stored player name and "2 Players" before every showing.
class TIPX : public FixedDialog {
    Q_OBJECT
public:
    explicit TIPX(const NetworkStart& start, QWidget* parent = nullptr);
    ~TIPX() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TIPX> ui;
    // Asked by "&Start" where the game's DOSBoxes must find each other.
    std::unique_ptr<THostJoin> hostjoin;

private:
    void Button1Click();  // "&Start"
    void Button2Click();  // "&Abort"

    NetworkStart start_;
};
