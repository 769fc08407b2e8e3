#pragma once
// Keyboard and mouse input for window tests, through Qt Test's event
// simulation: the same events the window system would deliver.

#include <QPoint>
#include <QString>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

inline void sendKey(QWidget* widget, int key) { QTest::keyClick(widget, Qt::Key(key)); }
inline void sendClick(QWidget* widget, QPoint pos) { QTest::mouseClick(widget, Qt::LeftButton, {}, pos); }
inline void sendDoubleClick(QWidget* widget, QPoint pos) { QTest::mouseDClick(widget, Qt::LeftButton, {}, pos); }
// Double-clicks a row as a user does, the first click highlighting it; with
// Control held, the rows highlighted before stay highlighted.
inline void doubleClickRow(QTreeWidget* tree, QTreeWidgetItem* row, Qt::KeyboardModifiers modifiers = {})
{
    tree->scrollToItem(row);
    const QPoint at = tree->visualItemRect(row).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, modifiers, at);
}
// Types each character as one key, including characters beyond ASCII.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
