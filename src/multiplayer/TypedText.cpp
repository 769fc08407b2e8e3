#include "multiplayer/TypedText.h"

#include "components/AnsiText.h"
#include "core/Text.h"

#include <QLineEdit>
#include <QRegularExpression>

#include <limits>

namespace typedtext {

void holdFileText(QLineEdit* edit)
{
    edit->setMaxLength(std::numeric_limits<int>::max());
    ansitext::acceptOnlyCodePage(edit);
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
    return text::withoutLineBreaks(ansitext::toBytes(edit->text()));
}

}  // namespace typedtext
