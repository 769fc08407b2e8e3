#include "components/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), group_(new QButtonGroup(this))
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    connect(group_, &QButtonGroup::buttonToggled, this, [this] { updateTabStop(); });
}

void TRadioGroup::setItems(const QStringList& items)
{
    items_ = items;
    rebuild();
}

void TRadioGroup::setColumns(int columns)
{
    columns_ = std::max(1, columns);
    rebuild();
}

void TRadioGroup::rebuild()
{
    const int selected = itemIndex();
    for (auto* b : buttons_)
        delete b;
    buttons_.clear();
    auto* grid = static_cast<QGridLayout*>(layout());
    const int rows = (int(items_.size()) + columns_ - 1) / columns_;
    for (int i = 0; i < items_.size(); ++i) {
        auto* b = new QRadioButton(items_[i], this);
        b->setObjectName(objectName() + QStringLiteral("_item%1").arg(i));
        group_->addButton(b, i);
        // Items run down each column first, as in the classic radio group.
        grid->addWidget(b, rows ? i % rows : 0, rows ? i / rows : 0);
        buttons_.push_back(b);
    }
    setItemIndex(selected);
    updateTabStop();
}

void TRadioGroup::updateTabStop()
{
    // Only one button is a tab stop, so passing through the group lands on
    // the setting as it stands and Space there changes nothing. A click still
    // focuses any button.
    QAbstractButton* stop = group_->checkedButton();
    if (!stop && !buttons_.empty())
        stop = buttons_.front();
    for (auto* b : buttons_)
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

int TRadioGroup::itemIndex() const { return group_->checkedId(); }

void TRadioGroup::setItemIndex(int index)
{
    index = std::clamp(index, -1, int(buttons_.size()) - 1);
    if (index < 0) {
        // QButtonGroup never lets an exclusive group go back to no selection
        // on its own, so lift exclusivity for the moment of clearing.
        group_->setExclusive(false);
        for (auto* b : buttons_)
            b->setChecked(false);
        group_->setExclusive(true);
        return;
    }
    buttons_[index]->setChecked(true);
}

QRadioButton* TRadioGroup::button(int index) const
{
    return index >= 0 && index < int(buttons_.size()) ? buttons_[index] : nullptr;
}
