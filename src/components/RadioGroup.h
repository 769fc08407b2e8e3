#pragma once
// A titled group of radio buttons addressed by index, as the setup dialogs use
// them: -1 means no button is selected, and setting an index clamps it to
// -1..last. It has no change handler of its own. Tab enters the group at its
// checked button (the first when none is), and the arrows move within it.

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    QStringList items() const { return items_; }
    void setItems(const QStringList& items);
    int columns() const { return columns_; }
    void setColumns(int columns);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const;

private:
    void rebuild();
    void updateTabStop();

    QStringList items_;
    int columns_ = 1;
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
};
