#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <resources/Pictures.h>
#include <shell/Help.h>
#include <text/text.h>

namespace {

QLabel *makeText(QWidget *parent, const QString &name, int y, int height, bool arial)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(152, y, 225, height);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    if (arial) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(13);
        label->setFont(font);
    }
    return label;
}

} // namespace

TForm2::TForm2(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(ClientWidth, ClientHeight);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(8, 8, 377, 73);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 128, 54);
    Image1->setPixmap(pictures::pixmap(pictures::BrandPicture::MakerLogo, devicePixelRatioF()));

    StaticText1 = makeText(this, QStringLiteral("StaticText1"), 19, 20, true);
    StaticText2 = makeText(this, QStringLiteral("StaticText2"), 40, 17, false);
    StaticText3 = makeText(this, QStringLiteral("StaticText3"), 57, 18, true);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(311, 92, 75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm2::showEvent(QShowEvent *event)
{
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    FormActivate();
    QDialog::showEvent(event);
}

void TForm2::FormActivate()
{
    using text::AboutTexts;
    setWindowTitle(text::Text(AboutTexts::AboutCaption, Language));
    StaticText1->setText(text::Text(AboutTexts::AboutTitle, Language));
    StaticText2->setText(text::Text(AboutTexts::AboutVersion, Language));
    StaticText3->setText(text::Text(AboutTexts::AboutWebAddress, Language));
}
