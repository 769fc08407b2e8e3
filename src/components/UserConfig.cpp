#include "components/UserConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

namespace {
std::function<void(const QString&)>& reporter()
{
    static std::function<void(const QString&)> instance;
    return instance;
}
bool told = false;  // this run
}  // namespace

std::unique_ptr<QSettings> UserConfig::open()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vornhale"),
                                       QStringLiteral("launcher"));
}

void UserConfig::store(QSettings& config)
{
    config.sync();
    if (config.status() == QSettings::NoError || told)
        return;
    told = true;
    const QString text =
        QStringLiteral("Your choice cannot be remembered: \"%1\" cannot be written. The launcher goes on, and asks "
                       "again next time.")
            .arg(QDir::toNativeSeparators(config.fileName()));
    if (reporter()) {
        reporter()(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void UserConfig::setReporter(std::function<void(const QString&)> report)
{
    reporter() = std::move(report);
    told = false;
}
