#include "multiplayer/_miscsetup.h"

#include "ui__miscsetup.h"

#include "components/DosBoxStart.h"
#include "components/ErrorBox.h"
#include "components/ListIndex.h"
#include "multiplayer/TypedText.h"
#include "multiplayer/modem_list.h"
#include "dosbox/DosBox.h"

TMiscSetup::TMiscSetup(Platform& platform, QWidget* parent)
    : FixedDialog(parent), ui(std::make_unique<Ui::TMiscSetup>()), platform_(platform)
{
    ui->setupUi(this);
    finishForm();
    for (QLineEdit* edit : {ui->InitStr, ui->ComIRQ, ui->COMUart})
        typedtext::holdFileText(edit);
    connect(ui->AdvCom, &QCheckBox::toggled, this, guarded([this] { AdvComClick(); }));
    connect(ui->Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(ui->Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
    // The note follows the controls however they change, a load included.
    connect(ui->ComPort, &QComboBox::currentIndexChanged, this, [this] { UpdateDosBoxNote(); });
    connect(ui->AdvCom, &QCheckBox::toggled, this, [this] { UpdateDosBoxNote(); });
    connect(ui->COMUart, &QLineEdit::textChanged, this, [this] { UpdateDosBoxNote(); });
    FormCreate();
}

TMiscSetup::~TMiscSetup() = default;

void TMiscSetup::FormCreate()
{
    ui->ControlMethod->setItemIndex(1);
    setItemIndex(ui->ComPort, 1);
    ui->InitStr->setText(QStringLiteral("AT&F1"));
    ui->AdvCom->setChecked(false);
    ui->ComIRQ->setText(QStringLiteral("n/a"));
    ui->COMUart->setText(QStringLiteral("n/a"));
    AdvComClick();
}

void TMiscSetup::AdvComClick()
{
    const bool advanced = ui->AdvCom->isChecked();
    ui->ComIRQ->setEnabled(advanced);
    ui->COMUart->setEnabled(advanced);
}

// How the selection dialog closes does not matter: its OK has already put
// the chosen modem into this dialog.
void TMiscSetup::Button1Click()
{
    TSelectModem& select = *modemList_;
    select.FillModemList();
    select.exec();
}

void TMiscSetup::Button2Click() { accept(); }

namespace {
// An I/O address as players write it: "2F8", "2f8h", "0x2F8" or "$2F8";
// -1 for anything else, such as "n/a".
int uartAddress(QString text)
{
    text = text.trimmed();
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text.remove(0, 2);
    else if (text.startsWith(QLatin1Char('$')))
        text.remove(0, 1);
    else if (text.endsWith(QLatin1Char('h'), Qt::CaseInsensitive))
        text.chop(1);
    bool ok = false;
    const int address = text.toInt(&ok, 16);
    return ok && !text.isEmpty() && !text.startsWith(QLatin1Char('-')) && !text.startsWith(QLatin1Char('+'))
               ? address
               : -1;
}
}  // namespace

// The chosen port as players say it: "COM2", not the list's "COM2:".
QString TMiscSetup::portName() const
{
    QString name = ui->ComPort->currentText();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

QString TMiscSetup::dosBoxPortProblem() const
{
    const int port = ui->ComPort->currentIndex() + 1;
    if (dosbox::emulatesSerialPort(port))
        return {};
    const QString ports = QStringLiteral("DOSBox has modems on COM1 to COM4 only");
    const QString choose = QStringLiteral("Choose one of them under Misc. Configuration to play a modem game.");
    if (port < 1)
        return QStringLiteral("No COM port is chosen for the modem. %1. %2").arg(ports, choose);
    return QStringLiteral("%1, not on %2. %3").arg(ports, portName(), choose);
}

void TMiscSetup::showEvent(QShowEvent* event)
{
    gameInDosBox_ = dosboxstart::gameRunsInDosBox(platform_);
    UpdateDosBoxNote();
    FixedDialog::showEvent(event);
}

void TMiscSetup::UpdateDosBoxNote()
{
    QString note;
    if (gameInDosBox_) {
        note = dosBoxPortProblem();
        const int port = ui->ComPort->currentIndex() + 1;
        const int standard = dosbox::serialPortAddress(port);
        const int typed = uartAddress(ui->COMUart->text());
        if (note.isEmpty() && ui->AdvCom->isChecked() && typed >= 0 && typed != standard)
            note = QStringLiteral("DOSBox's %1 sits at %2: the game will look for its modem at %3 and not find it. "
                                  "Type %2, or clear Advance Settings.")
                       .arg(portName(), QString::number(standard, 16).toUpper(),
                            QString::number(typed, 16).toUpper());
    }
    showNote(ui->DosBoxNote, note);
}
