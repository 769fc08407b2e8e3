#include "multiplayer/TypedText.h"

#include "multiplayer/LaunchFile.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace typedtext {

void keepOnOneLine(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
            return;
        const int breaksBeforeCursor = int(text.left(edit->cursorPosition()).count(QRegularExpression("[\r\n]")));
        const int cursor = edit->cursorPosition() - breaksBeforeCursor;
        QString cleaned = text;
        cleaned.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        edit->setText(cleaned);
        edit->setCursorPosition(cursor);
    });
}

std::string bytes(const QLineEdit* edit)
{
    return launchfile::withoutLineBreaks(edit->text().toLatin1().toStdString());
}

}  // namespace typedtext
