// The audio dialog's note on the game's music in DOSBox, and its chooser: a
// part of TAudioSetup kept apart from the sound-effect lists.
#include "dialogs/_audiosetup.h"

#include "ui__audiosetup.h"

#include "components/CdImage.h"
#include "components/CdMount.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

void TAudioSetup::UpdateMusicNote()
{
    // Only where the music could play: in DOSBox, with CD audio on.
    const bool shown = gameInDosBox_ && !ui->DisableCDAudio->isChecked();
    ui->MusicNote->setVisible(shown);
    ui->ChooseImage->setVisible(shown);
    if (!shown)
        return;
    if (!musicImage_)
        musicImage_ = std::make_unique<cdimage::Image>(cdimage::inspect(platform_.currentDirectory()));
    QLabel* note = ui->MusicNote;
    note->setText(cdmount::note(*musicImage_));
    // Below the port's note where that shows, and as tall as its words.
    const QLabel* above = ui->DosBoxNote;
    const int top = above->isHidden() ? above->y() : above->geometry().bottom() + 1 + 4;
    const int height = std::max(ui->ChooseImage->height(), note->heightForWidth(note->width()));
    note->setGeometry(note->x(), top, note->width(), height);
    ui->ChooseImage->move(ui->ChooseImage->x(), top);
    const int margin = 8;
    setFixedHeight(note->geometry().bottom() + 1 + margin);
}

void TAudioSetup::ChooseImageClick()
{
    const std::string gameFolder = platform_.currentDirectory();
    const QString current = musicImage_ && !musicImage_->path.empty()
                                ? QFileInfo(QFile::decodeName(musicImage_->path.c_str())).absolutePath()
                                : QFile::decodeName(gameFolder.c_str());
    const QString picked = QFileDialog::getOpenFileName(
        this, QStringLiteral("Choose the Game's CD Image"), current,
        QStringLiteral("CD images (*.cue *.CUE *.ins *.INS *.iso *.ISO);;All files (*)"));
    if (picked.isEmpty())
        return;
    cdimage::choose(gameFolder, QFile::encodeName(QFileInfo(picked).absoluteFilePath()).toStdString());
    musicImage_.reset();
    UpdateDosBoxNote();
}
