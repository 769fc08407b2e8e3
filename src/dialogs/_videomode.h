#pragma once

#include "components/FixedDialog.h"
#include "dosbox/Display.h"

#include <memory>

namespace Ui {
class Tvideomode;
}
class Platform;

// Holds the chosen screen resolution in `ViewMode` until settings are saved.
// Where the game runs in DOSBox, the dialog grows to offer how DOSBox shows
// it (`DosBoxDisplay`), a pick kept at once in the launcher's own
// configuration, never in the game's settings.
class Tvideomode : public FixedDialog {
    Q_OBJECT
public:
    explicit Tvideomode(Platform& platform, QWidget* parent = nullptr);
    ~Tvideomode() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tvideomode> ui;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();
    // Shows or hides the DOSBox part, widening the window for it with the
    // form's own controls kept in the middle.
    void ShowDosBoxPart(bool shown);
    void DosBoxDisplayClick(dosbox::DisplayChoice choice);
    // Names the display keys the player's DOSBox configuration sets, and
    // whether they still count.
    void UpdateDosBoxNote();

    Platform& platform_;
    QSize formSize_;
    int shift_ = 0;                       // how far the form's controls moved right
    std::vector<std::string> playerKeys_;  // as found at the last showing
};
