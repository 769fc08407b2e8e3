#include "GuiTest.h"
#include "Input.h"

#include "dialogs/_kbsetup.h"
#include "dialogs/_keypress.h"
#include "ui__kbsetup.h"
#include "ui__keypress.h"


#include <string>
#include <vector>


namespace {
// What the user does in the picker once it shows.
enum class Act { ClickEntry, KeyDown, Ok, Cancel };

struct Outcome {
    const char* name;
    std::string keyBefore;
    Act act;
    QString entry;  // for ClickEntry
    std::string keyAfter;
};
}  // namespace

class KeyPicker : public GuiTest {
protected:
    Tkbsetup& keyboard() { return *forms->kbsetup; }
    TGetKeyP& picker() { return *forms->keypicker; }
    QListWidget* list() { return picker().ui->ListBox1; }

    void SetUp() override
    {
        GuiTest::SetUp();
        keyboard().FillActionRows();
    }

    QString highlighted()
    {
        const auto items = list()->selectedItems();
        return items.isEmpty() ? QString() : items.front()->text();
    }

    static void clickEntry(QListWidget* list, const QString& text)
    {
        QListWidgetItem* entry = list->findItems(text, Qt::MatchExactly).value(0);
        ASSERT_TRUE(entry);
        list->scrollToItem(entry);
        sendClick(list->viewport(), list->visualItemRect(entry).center());
    }

    // Double-clicks `row` (the only highlighted row) and lets `inPicker` act
    // on the picker; returns what the picker showed when it appeared. Any
    // picker still open afterwards is cancelled so the test cannot hang.
    struct Seen {
        QString action;
        QString highlight;
        bool stayedOpenAfterOk = false;
    };
    Seen bind(int row, const std::function<void(TGetKeyP&)>& inPicker)
    {
        return bindByDoubleClick(row, Qt::NoModifier, inPicker);
    }
    // With Control held, the double-clicked row joins those already highlighted.
    Seen bindByDoubleClick(int row, Qt::KeyboardModifiers modifiers, const std::function<void(TGetKeyP&)>& inPicker)
    {
        Seen seen;
        whenModal([&](QWidget* modal) {
            EXPECT_EQ(modal, &picker());
            seen.action = picker().ui->Label2->text();
            seen.highlight = highlighted();
            inPicker(picker());
            if (picker().isVisible()) {
                seen.stayedOpenAfterOk = true;
                picker().ui->Button2->click();
            }
        });
        doubleClickRow(keyboard().ui->KeySetup, keyboard().ui->KeySetup->topLevelItem(row), modifiers);
        EXPECT_FALSE(picker().isVisible());
        return seen;
    }
};

TEST_F(KeyPicker, ListsEveryKeyAndIsASmallToolWindowWithoutTitleButtons)
{
    ASSERT_EQ(list()->count(), 75);
    EXPECT_EQ(list()->item(0)->text(), "<None>");
    EXPECT_EQ(list()->item(17)->text(), "\\");
    EXPECT_EQ(list()->item(74)->text(), "Kpad.");
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list()->sizeHintForRow(0), 24);
    EXPECT_TRUE(list()->font().bold());
    EXPECT_EQ(picker().windowTitle(), "Pick Key");
    EXPECT_EQ(picker().size(), QSize(164, 341));
    EXPECT_EQ(picker().windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(picker().windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(picker().ui->Label1->text(), "Select the key that will perform the following action...");
    EXPECT_EQ(picker().ui->Button1->text(), "Ok");
    EXPECT_EQ(picker().ui->Button2->text(), "Cancel");
    EXPECT_FALSE(picker().ui->Button1->autoDefault() || picker().ui->Button1->isDefault());
    EXPECT_FALSE(picker().ui->Button2->autoDefault() || picker().ui->Button2->isDefault());
}

TEST_F(KeyPicker, HowThePickerClosesDecidesTheRowsKey)
{
    const std::vector<Outcome> outcomes = {
        {"click an entry", "q", Act::ClickEntry, "Enter", "Enter"},
        {"click a letter stores it in lower case", "...", Act::ClickEntry, "Q", "q"},
        {"click the highlighted entry", "Up", Act::ClickEntry, "Up", "Up"},
        {"click <None>", "LShift", Act::ClickEntry, "<None>", "..."},
        {"arrow down picks the next entry", "Up", Act::KeyDown, "", "Down"},
        {"ok re-stores the current key", "q", Act::Ok, "", "q"},
        {"ok on no key", "...", Act::Ok, "", "..."},
        {"cancel keeps a letter as it was", "q", Act::Cancel, "", "q"},
        {"cancel keeps no key", "...", Act::Cancel, "", "..."},
        {"cancel keeps an unknown key", "F1", Act::Cancel, "", "F1"},
        {"ok without a highlight binds nothing", "F1", Act::Ok, "", "F1"},
        {"a lower-case name finds no entry", "tab", Act::Ok, "", "tab"},
        {"a digit finds no entry", "1", Act::Ok, "", "1"},
    };
    for (const Outcome& o : outcomes) {
        SCOPED_TRACE(o.name);
        // Leave a highlight behind from an earlier showing that a key without
        // an entry must not inherit.
        bind(1, [](TGetKeyP& p) { clickEntry(p.ui->ListBox1, "Kpad5"); });
        ASSERT_EQ(keyboard().keyString(1), "Kpad5");

        keyboard().setKeyString(5, o.keyBefore);
        bind(5, [&](TGetKeyP& p) {
            switch (o.act) {
            case Act::ClickEntry: clickEntry(p.ui->ListBox1, o.entry); break;
            case Act::KeyDown: sendKey(p.ui->ListBox1, Qt::Key_Down); break;
            case Act::Ok: p.ui->Button1->click(); break;
            case Act::Cancel: p.ui->Button2->click(); break;
            }
        });
        EXPECT_EQ(keyboard().keyString(5), o.keyAfter);
    }
}

TEST_F(KeyPicker, ShowsTheActionAndHighlightsTheCurrentKeyWithoutPickingIt)
{
    keyboard().setKeyString(5, "q");
    Seen seen = bind(5, [](TGetKeyP& p) {
        EXPECT_TRUE(p.isVisible());
        EXPECT_EQ(p.SelectedKey, "Q");
        p.ui->Button2->click();
    });
    EXPECT_EQ(seen.action, "Fire");
    EXPECT_EQ(seen.highlight, "Q");
    EXPECT_FALSE(seen.stayedOpenAfterOk);

    keyboard().setKeyString(0, "...");
    seen = bind(0, [](TGetKeyP& p) { p.ui->Button2->click(); });
    EXPECT_EQ(seen.action, "Move Forward");
    EXPECT_EQ(seen.highlight, "<None>");
}

TEST_F(KeyPicker, AKeyWithoutAnEntryShowsNoHighlightAndOkWaitsForAPick)
{
    bind(2, [](TGetKeyP& p) { clickEntry(p.ui->ListBox1, "Z"); });
    keyboard().setKeyString(5, "F1");
    Seen seen = bind(5, [](TGetKeyP& p) { p.ui->Button1->click(); });
    EXPECT_EQ(seen.highlight, QString());
    EXPECT_TRUE(seen.stayedOpenAfterOk);
    EXPECT_EQ(keyboard().keyString(5), "F1");
}

TEST_F(KeyPicker, EscAndEnterPressNeitherButton)
{
    keyboard().setKeyString(5, "q");
    bool openAfterKeys = false;
    bind(5, [&](TGetKeyP& p) {
        sendKey(&p, Qt::Key_Escape);
        sendKey(p.ui->Button1, Qt::Key_Return);
        sendKey(p.ui->Button2, Qt::Key_Return);
        openAfterKeys = p.isVisible();
        p.ui->Button2->click();
    });
    EXPECT_TRUE(openAfterKeys);
    EXPECT_EQ(keyboard().keyString(5), "q");
}

TEST_F(KeyPicker, SeveralHighlightedRowsBindTheUppermost)
{
    QTreeWidget* rows = keyboard().ui->KeySetup;
    rows->topLevelItem(7)->setSelected(true);
    rows->topLevelItem(3)->setSelected(true);
    rows->topLevelItem(12)->setSelected(true);
    Seen seen = bindByDoubleClick(15, Qt::ControlModifier, [](TGetKeyP& p) { clickEntry(p.ui->ListBox1, "LAlt"); });
    EXPECT_EQ(seen.action, "Turn Right");
    EXPECT_EQ(keyboard().keyString(3), "LAlt");
    EXPECT_EQ(keyboard().keyString(7), "...");
    EXPECT_EQ(keyboard().keyString(12), "...");
    EXPECT_EQ(keyboard().keyString(15), "...");
}

TEST_F(KeyPicker, EveryKeyCanBeBoundAndIsFoundAgainNextTime)
{
    for (int i = 0; i < list()->count(); ++i) {
        const QString entry = list()->item(i)->text();
        bind(0, [&](TGetKeyP& p) { clickEntry(p.ui->ListBox1, entry); });
        const Seen seen = bind(0, [](TGetKeyP& p) { p.ui->Button1->click(); });
        EXPECT_EQ(seen.highlight, entry);
        EXPECT_FALSE(seen.stayedOpenAfterOk) << entry.toStdString();
    }
}
