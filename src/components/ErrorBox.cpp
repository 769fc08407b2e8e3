#include "components/ErrorBox.h"

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
    box.exec();
}

bool runGuarded(const std::function<void()>& handler)
{
    // Texts are 8-bit; Latin-1 maps every byte to one character and back.
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        ErrorBox::show(QString::fromLatin1(e.what()));
    } catch (...) {
        ErrorBox::show(QStringLiteral("Unknown error"));
    }
    return false;
}
