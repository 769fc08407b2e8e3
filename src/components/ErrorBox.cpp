#include "components/ErrorBox.h"

#include "components/AnsiText.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace {
std::function<void(const QString&)>& recorder()
{
    static std::function<void(const QString&)> instance;
    return instance;
}
}  // namespace

void ErrorBox::setRecorder(std::function<void(const QString&)> r) { recorder() = std::move(r); }

void ErrorBox::show(const QString& text)
{
    if (recorder()) {
        recorder()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow());
    // The text quotes the file's own bytes ("'<b>wide</b>' is not a valid
    // integer value"); left to guess, the box would render them as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool runGuarded(const std::function<void()>& handler)
{
    // Texts are 8-bit: file names and values in the code page.
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        ErrorBox::show(ansitext::fromBytes(e.what()));
    } catch (...) {
        ErrorBox::show(QStringLiteral("Unknown error"));
    }
    return false;
}
