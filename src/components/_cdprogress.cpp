#include "components/_cdprogress.h"

#include "ui__cdprogress.h"

#include "components/CdConvert.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

TCdProgress::TCdProgress(QWidget* parent) : FixedDialog(parent), ui(std::make_unique<Ui::TCdProgress>())
{
    ui->setupUi(this);
    finishForm();
    setModal(true);
    connect(ui->Cancel, &QPushButton::clicked, this, [this] { reject(); });
}

TCdProgress::~TCdProgress() = default;

void TCdProgress::reject()
{
    cancelled_ = true;
    ui->Cancel->setEnabled(false);
}

bool TCdProgress::run(const std::vector<cdimage::Conversion>& conversions)
{
    cancelled_ = false;
    ui->Cancel->setEnabled(true);
    ui->Progress->setValue(0);
    show();
    struct Hide {
        QWidget* window;
        ~Hide() { window->hide(); }
    } hide{this};
    const int total = int(conversions.size());
    for (int i = 0; i < total && !cancelled_; ++i) {
        const cdimage::Conversion& conversion = conversions[std::size_t(i)];
        ui->Track->setText(QStringLiteral("Track file %1 of %2: %3")
                               .arg(i + 1)
                               .arg(total)
                               .arg(QFileInfo(QFile::decodeName(conversion.source.c_str())).fileName()));
        cdconvert::toCdAudio(conversion.source, conversion.target, [&](double share) {
            ui->Progress->setValue(int((i + share) * 1000 / total));
            QCoreApplication::processEvents();
            return !cancelled_;
        });
    }
    return !cancelled_;
}
