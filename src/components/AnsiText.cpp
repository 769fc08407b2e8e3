#include "components/AnsiText.h"

#include "components/CodePage.h"

#include <QLineEdit>
#include <QValidator>

namespace ansitext {

namespace {
std::u16string_view utf16(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

class CodePageValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return fits(input) ? Acceptable : Invalid; }
};
}  // namespace

QString fromBytes(std::string_view bytes)
{
    const std::u16string text = codepage::toUtf16(bytes);
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

std::string toBytes(const QString& text)
{
    if (auto bytes = codepage::fromUtf16(utf16(text)))
        return *std::move(bytes);
    std::string bytes;
    for (const QChar c : text) {
        const char16_t one = c.unicode();
        const auto byte = codepage::fromUtf16(std::u16string_view(&one, 1));
        bytes += byte ? *byte : std::string("?");
    }
    return bytes;
}

bool fits(const QString& text) { return codepage::fromUtf16(utf16(text)).has_value(); }

void acceptOnlyCodePage(QLineEdit* edit) { edit->setValidator(new CodePageValidator(edit)); }

}  // namespace ansitext
