#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TAudioSetup;
}
struct Forms;

// Sound card, its hardware and mixing choices, and CD audio. The lists hold
// the working copy of the audio settings between a load and a save.
class TAudioSetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TAudioSetup(Forms& forms, QWidget* parent = nullptr);
    ~TAudioSetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TAudioSetup> ui;

    // The hardware and mixing lists mean something only with a card, so they
    // are enabled exactly when one is chosen. Setting SFXCard from code does
    // not run this; whoever does so calls it.
    void UpdateCardControls();

private:
    void FormCreate();
    void SFXCardChange();
    void Button1Click();
    void Button2Click();

    Forms& forms_;
};
