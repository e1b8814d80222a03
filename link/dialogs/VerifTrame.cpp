#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <link/EepromImage.h>
#include <link/dialogs/VerifTrame.h>

TOKBottomDlg::TOKBottomDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OKBottomDlg"));
    setWindowTitle(QStringLiteral("Vérif"));
    resize(105, 436);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}

void TOKBottomDlg::showEvent(QShowEvent *event)
{
    FormActivate();
    QDialog::showEvent(event);
}

// The block as a transmit sends it for this program (no empty-slot marker).
void TOKBottomDlg::FormActivate()
{
    Memo1->clear();
    if (!Prog)
        return;
    TTrameList frames;
    ProgToTrames(*Prog, frames, false);
    QStringList lines;
    for (std::size_t i = 0; i < frames.size(); ++i)
        lines << QStringLiteral("Octet %1 = %2")
                     .arg(int(i) + 1, 2, 10, QLatin1Char('0'))
                     .arg(QString::asprintf("%02X", frames[i].Value));
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}
