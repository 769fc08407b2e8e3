#include "dialogs/_kbsetup.h"

#include "ui__kbsetup.h"
#include "ui__keypress.h"

#include "components/AnsiText.h"
#include "components/ErrorBox.h"
#include "dialogs/ActionTables.h"
#include "dialogs/_keypress.h"

#include <QHeaderView>
#include <QKeyEvent>

Tkbsetup::Tkbsetup(QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::Tkbsetup>())
{
    ui->setupUi(this);
    finishForm();

    QTreeWidget* list = ui->KeySetup;
    list->setColumnWidth(0, 110);
    list->setColumnWidth(1, 60);
    list->header()->setSectionsClickable(false);
    list->header()->setSectionsMovable(false);
    list->installEventFilter(this);

    connect(list, &QTreeWidget::itemDoubleClicked, this, guarded([this] { KeySetupDblClick(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
}

Tkbsetup::~Tkbsetup() = default;

void Tkbsetup::FillActionRows()
{
    QTreeWidget* list = ui->KeySetup;
    list->clear();
    for (std::string_view action : controls::KeyboardActions) {
        auto* row = new QTreeWidgetItem(list, {ansitext::fromBytes(action), ansitext::fromBytes(controls::NoKey)});
        row->setTextAlignment(1, Qt::AlignCenter);
        // Not editable: an action's name is the game's, never the user's.
        row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
}

int Tkbsetup::rowCount() const { return ui->KeySetup->topLevelItemCount(); }

std::string Tkbsetup::rowCaption(int row) const { return ansitext::toBytes(ui->KeySetup->topLevelItem(row)->text(0)); }

std::string Tkbsetup::keyString(int row) const { return ansitext::toBytes(ui->KeySetup->topLevelItem(row)->text(1)); }

void Tkbsetup::setKeyString(int row, const std::string& key) { ui->KeySetup->topLevelItem(row)->setText(1, ansitext::fromBytes(key)); }

void Tkbsetup::KeySetupDblClick()
{
    int row = 0;
    while (row < rowCount() && !ui->KeySetup->topLevelItem(row)->isSelected())
        ++row;
    if (row == rowCount())
        return;

    TGetKeyP& picker = *keyPicker_;
    const bool wasShown = isVisible();
    resumeExec_ = inExec_ && wasShown;
    hide();
    picker.ui->Label2->setText(ansitext::fromBytes(rowCaption(row)));
    picker.SelectedKey = controls::lookupForm(keyString(row));
    picker.SelectCurrentKey();
    // Cancel leaves the row exactly as it was; SelectedKey then holds only the
    // lookup form, which would turn a bound "q" into another key, "Q".
    const bool picked = picker.exec() == QDialog::Accepted;
    if (wasShown && !resumeExec_)
        show();
    if (picked)
        setKeyString(row, picker.SelectedKey == controls::NoKeyEntry ? std::string(controls::NoKey) : picker.SelectedKey);
}

bool Tkbsetup::KeySetupKeyPress(const QKeyEvent& key)
{
    // Arrows, paging and Home/End type nothing and still move the highlight;
    // Tab and Esc belong to the dialog.
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return false;
    default:
        return !key.text().isEmpty();
    }
}

void Tkbsetup::Button2Click() { accept(); }

int Tkbsetup::exec()
{
    inExec_ = true;
    int result;
    do {
        resumeExec_ = false;
        result = FixedDialog::exec();
    } while (resumeExec_);
    inExec_ = false;
    return result;
}

bool Tkbsetup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->KeySetup && event->type() == QEvent::KeyPress)
        return KeySetupKeyPress(*static_cast<QKeyEvent*>(event));
    return FixedDialog::eventFilter(watched, event);
}
