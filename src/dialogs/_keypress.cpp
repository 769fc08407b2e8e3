#include "dialogs/_keypress.h"

#include "ui__keypress.h"

#include "components/AnsiText.h"
#include "components/ErrorBox.h"
#include "dialogs/ActionTables.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

TGetKeyP::TGetKeyP(QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TGetKeyP>())
{
    ui->setupUi(this);
    finishForm();
    // A small tool window whose title bar offers nothing: the user leaves it
    // by a pick or "Cancel".
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);

    QListWidget* list = ui->ListBox1;
    for (std::string_view name : controls::KeyNames) {
        auto* entry = new QListWidgetItem(ansitext::fromBytes(name), list);
        entry->setSizeHint(QSize(0, 24));
    }
    // A press on an entry picks it at once; the view never sees the press, so
    // the pick runs exactly once per click. Keyboard moves reach the view and
    // pick through the selection change; SelectCurrentKey's own highlight
    // does not, as it blocks the list's signals.
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::itemSelectionChanged, this, guarded([this] { ListBox1Click(); }));
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
}

TGetKeyP::~TGetKeyP() = default;

void TGetKeyP::SelectCurrentKey()
{
    if (SelectedKey == controls::NoKey)
        SelectedKey = std::string(controls::NoKeyEntry);
    QListWidget* list = ui->ListBox1;
    const QString wanted = ansitext::fromBytes(SelectedKey);
    int row = 0;
    while (row < list->count() && list->item(row)->text() != wanted)
        ++row;

    const QSignalBlocker blocker(list);
    if (row < list->count()) {
        list->setCurrentRow(row);
        list->scrollToItem(list->item(row));
    } else {
        list->setCurrentRow(-1);
        list->clearSelection();
    }
}

void TGetKeyP::ListBox1Click()
{
    const QList<QListWidgetItem*> highlighted = ui->ListBox1->selectedItems();
    if (highlighted.isEmpty())
        return;
    SelectedKey = controls::storedForm(ansitext::toBytes(highlighted.front()->text()));
    accept();
}

void TGetKeyP::Button1Click() { ListBox1Click(); }

void TGetKeyP::Button2Click() { reject(); }

bool TGetKeyP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->ListBox1->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton) {
                if (QListWidgetItem* entry = ui->ListBox1->itemAt(press->position().toPoint())) {
                    {
                        const QSignalBlocker blocker(ui->ListBox1);
                        ui->ListBox1->setCurrentItem(entry);
                    }
                    runGuarded([this] { ListBox1Click(); });
                }
            }
            return true;
        }
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            break;
        }
    }
    return FixedDialog::eventFilter(watched, event);
}

void TGetKeyP::keyPressEvent(QKeyEvent* event)
{
    // Neither button is the default or the cancel button: Return and Esc
    // press nothing, wherever the focus is, and the picker stays open.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return;
    default:
        FixedDialog::keyPressEvent(event);
    }
}

void TGetKeyP::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    // The list is what a screen reader meets first, and no label names a
    // list for it: its name is the text above it, the action's name included.
    ui->ListBox1->setAccessibleName(ui->Label1->text() + u' ' + ui->Label2->text());
    // The list has the keyboard, so an arrow key picks straight away, and the
    // current key is in sight.
    ui->ListBox1->setFocus();
    if (QListWidgetItem* current = ui->ListBox1->currentItem())
        ui->ListBox1->scrollToItem(current, QAbstractItemView::PositionAtCenter);
}
