#pragma once

#include "components/CdImage.h"
#include "components/FixedDialog.h"

#include <memory>
#include <vector>

namespace Ui {
class TCdProgress;
}

// Shown while the game's CD tracks are converted before a start (a whole CD
// can take a minute); the player may cancel, and the game then starts
// without its music. The conversions run in the event loop's own thread, a
// block at a time, so the window stays responsive without a worker.
class TCdProgress : public FixedDialog {
    Q_OBJECT
public:
    explicit TCdProgress(QWidget* parent = nullptr);
    ~TCdProgress() override;

    std::unique_ptr<Ui::TCdProgress> ui;

    // Runs every conversion with the window shown; false when the player
    // cancelled. A conversion that fails throws, with the window hidden.
    bool run(const std::vector<cdimage::Conversion>& conversions);

protected:
    void reject() override;

private:
    bool cancelled_ = false;
};
