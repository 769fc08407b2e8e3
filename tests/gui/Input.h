#pragma once
// Keyboard and mouse input for window tests, through Qt Test's event
// simulation: the same events the window system would deliver.

#include <QPoint>
#include <QString>
#include <QTest>
#include <QWidget>

inline void sendKey(QWidget* widget, int key) { QTest::keyClick(widget, Qt::Key(key)); }
inline void sendClick(QWidget* widget, QPoint pos) { QTest::mouseClick(widget, Qt::LeftButton, {}, pos); }
inline void sendDoubleClick(QWidget* widget, QPoint pos) { QTest::mouseDClick(widget, Qt::LeftButton, {}, pos); }
// Types each character as one key, including characters beyond ASCII.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
