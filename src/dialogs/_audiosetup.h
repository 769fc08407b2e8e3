#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TAudioSetup;
}
class Platform;
namespace cdimage {
struct Image;
}
class Tview;

// Sound card, its hardware and mixing choices, and CD audio. The lists hold
// the working copy of the audio settings between a load and a save.
class TAudioSetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TAudioSetup(Platform& platform, QWidget* parent = nullptr);
    ~TAudioSetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TAudioSetup> ui;

    // The hardware and mixing lists mean something only with a card, so they
    // are enabled exactly when one is chosen. Setting SFXCard from code does
    // not run this; whoever does so calls it.
    void UpdateCardControls();
    // What the loaded file holds that the lists cannot show and DOSBox
    // cannot emulate, noted below them where the game runs in DOSBox.
    void setFileNote(const QString& note)
    {
        fileNote_ = note;
        UpdateDosBoxNote();
    }
    // The viewer that shows the help text; it is made after this dialog.
    void setHelpViewer(Tview& view) { helpViewer_ = &view; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    // Where the game runs in DOSBox, says so when the chosen port is one
    // DOSBox has no Sound Blaster at; the choice itself stays.
    void UpdateDosBoxNote();
    // Where the game runs in DOSBox with CD audio on, says under the other
    // note where the music comes from (MusicNote.cpp).
    void UpdateMusicNote();
    void ChooseImageClick();
    void SFXCardChange();
    void Button1Click();
    void Button2Click();

    Platform& platform_;
    Tview* helpViewer_ = nullptr;
    bool gameInDosBox_ = false;  // as found at the last showing
    std::unique_ptr<cdimage::Image> musicImage_;  // as found at the last showing or choice
    QString fileNote_;
};
