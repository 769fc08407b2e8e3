#include "dialogs/_videomode.h"

#include "ui__videomode.h"

#include "components/DosBoxDisplay.h"
#include "components/DosBoxStart.h"
#include "components/ErrorBox.h"
#include "platform/Platform.h"

#include <QRadioButton>

namespace {
// The DOSBox part's items, in the form's order.
constexpr dosbox::DisplayChoice Items[] = {dosbox::DisplayChoice::Window, dosbox::DisplayChoice::FullScreen,
                                           dosbox::DisplayChoice::AsConfigured};
constexpr int DosBoxWidth = 248;
constexpr int Margin = 8;
}  // namespace

Tvideomode::Tvideomode(Platform& platform, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::Tvideomode>()), platform_(platform)
{
    ui->setupUi(this);
    finishForm();
    formSize_ = size();
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    for (int i = 0; i < int(std::size(Items)); ++i)
        connect(ui->DosBoxDisplay->button(i), &QRadioButton::clicked, this,
                guarded([this, i] { DosBoxDisplayClick(Items[i]); }));
}

Tvideomode::~Tvideomode() = default;

// There is no cancel: the choice stays in ViewMode for the next save.
void Tvideomode::Button1Click() { accept(); }

void Tvideomode::showEvent(QShowEvent* event)
{
    const bool inDosBox = dosboxstart::gameRunsInDosBox(platform_);
    if (inDosBox) {
        playerKeys_ = dosbox::displayKeysSet(platform_.playerDosBoxConfigurations("."));
        const dosbox::DisplayChoice choice = dosboxdisplay::picked();
        // Before any pick, what the player's configuration sets shows as theirs.
        int index = playerKeys_.empty() ? 0 : 2;
        for (int i = 0; i < int(std::size(Items)); ++i)
            if (Items[i] == choice)
                index = i;
        ui->DosBoxDisplay->setItemIndex(index);
    }
    ShowDosBoxPart(inDosBox);
    // Centred at the size it now has.
    FixedDialog::showEvent(event);
}

void Tvideomode::ShowDosBoxPart(bool shown)
{
    const int shift = shown ? (DosBoxWidth - formSize_.width()) / 2 : 0;
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != ui->DosBoxDisplay && child != ui->DosBoxNote)
            child->move(child->pos() + QPoint(shift - shift_, 0));
    shift_ = shift;
    ui->DosBoxDisplay->setVisible(shown);
    if (shown) {
        UpdateDosBoxNote();
    } else {
        ui->DosBoxNote->hide();
        setFixedSize(formSize_);
    }
}

void Tvideomode::DosBoxDisplayClick(dosbox::DisplayChoice choice)
{
    dosboxdisplay::pick(choice);
    UpdateDosBoxNote();
}

void Tvideomode::UpdateDosBoxNote()
{
    QLabel* note = ui->DosBoxNote;
    QString keys;
    for (const std::string& key : playerKeys_)
        keys += (keys.isEmpty() ? "" : ", ") + QString::fromStdString(key);
    const int index = ui->DosBoxDisplay->itemIndex();
    if (keys.isEmpty())
        note->clear();
    else if (index == 0 || index == 1)
        note->setText(QStringLiteral("Your DOSBox configuration sets the display (%1). The launcher's choice "
                                     "replaces it for this game.")
                          .arg(keys));
    else
        note->setText(QStringLiteral("Your DOSBox configuration sets the display (%1), so DOSBox shows the game "
                                     "as it says. Pick Window or Full screen to have the launcher set it.")
                          .arg(keys));
    const bool noted = !note->text().isEmpty();
    note->setVisible(noted);
    if (noted)
        note->setFixedHeight(note->heightForWidth(note->width()));
    const QWidget* last = noted ? static_cast<QWidget*>(note) : ui->DosBoxDisplay;
    setFixedSize(DosBoxWidth, last->geometry().bottom() + 1 + Margin);
}
