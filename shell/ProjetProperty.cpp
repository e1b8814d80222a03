#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <algorithm>
#include <editor/PanelWidgets.h>
#include <editor/StorableText.h>
#include <iterator>
#include <model/GroupOfProjectClasses.h>
#include <shell/ProjetProperty.h>
#include <text/text.h>
#include <tuple>

namespace {

const QColor kBackground(179, 179, 179);
const QColor kLabelBackground(212, 208, 200);

QLabel *makeLabel(QWidget *parent, const QString &name, int x, int y, int width)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(x, y, width, 17);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, kLabelBackground);
    label->setPalette(p);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit *makeEdit(QWidget *parent, const QString &name, int x, int y, int width)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(x, y, width, 17);
    edit->setFrame(false);
    return edit;
}

QPushButton *makeButton(QWidget *parent, const QString &name, int x, int y)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(x, y, 75, 25);
    return button;
}

} // namespace

TForm3::TForm3(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);

    // The frame line first, so that the fields lie above it.
    Shape1 = new TShape(this, QStringLiteral("Shape1"));
    Shape1->setGeometry(9, 32, 344, 345);
    Shape1->setFrameColor(kLabelBackground);
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);

    Label7 = makeLabel(this, QStringLiteral("Label7"), 9, 8, 102);
    Edit1 = makeEdit(this, QStringLiteral("Edit1"), 112, 8, 241);
    Edit1->setMaxLength(TVARNOGroup::MaxNameLength);

    Label3 = makeLabel(this, QStringLiteral("Label3"), 16, 40, 95);
    Edit2 = makeEdit(this, QStringLiteral("Edit2"), 112, 40, 233);
    Label4 = makeLabel(this, QStringLiteral("Label4"), 16, 72, 95);
    Edit3 = makeEdit(this, QStringLiteral("Edit3"), 112, 72, 233);
    Label5 = makeLabel(this, QStringLiteral("Label5"), 16, 104, 95);
    Edit4 = makeEdit(this, QStringLiteral("Edit4"), 112, 104, 233);
    Label6 = makeLabel(this, QStringLiteral("Label6"), 16, 136, 95);
    Edit5 = makeEdit(this, QStringLiteral("Edit5"), 112, 136, 233);
    Label1 = makeLabel(this, QStringLiteral("Label1"), 16, 168, 95);
    Edit6 = makeEdit(this, QStringLiteral("Edit6"), 112, 168, 233);
    Label8 = makeLabel(this, QStringLiteral("Label8"), 16, 200, 95);
    Edit7 = makeEdit(this, QStringLiteral("Edit7"), 112, 200, 233);
    Label2 = makeLabel(this, QStringLiteral("Label2"), 16, 232, 329);
    fitLabelColumn();

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(16, 250, 329, 119);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setTabChangesFocus(true); // Tab leaves the memo like every other field

    Button1 = makeButton(this, QStringLiteral("Button1"), 176, 384);
    Button1->setDefault(true);
    Button2 = makeButton(this, QStringLiteral("Button2"), 272, 383);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    // Every field goes to the project file: only what it can hold comes in.
    const auto unstorable = [this] {
        return text::Text(text::AddedTexts::UnstorableCharacters, Language);
    };
    for (QLineEdit *edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7})
        varno::storable::KeepStorable(edit, unstorable);
    varno::storable::KeepStorable(Memo1, unstorable);

    // Tab follows the dialog as it reads: the fields top to bottom, then the buttons.
    QWidget *const order[] = {Edit1, Edit2, Edit3, Edit4,   Edit5,
                              Edit6, Edit7, Memo1, Button1, Button2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    ResetPropertiesDialog();
}

// The widest caption of the left column in any language sets where the fields
// begin: no caption is cut, and the fields stay put when the language changes.
// The fields keep their right edges and give up the width the captions take.
void TForm3::fitLabelColumn()
{
    using text::ProjectPropertiesTexts;
    const std::tuple<QLabel *, QLineEdit *, ProjectPropertiesTexts> rows[] = {
        {Label7, Edit1, ProjectPropertiesTexts::NameLabel},
        {Label3, Edit2, ProjectPropertiesTexts::SubjectLabel},
        {Label4, Edit3, ProjectPropertiesTexts::AuthorLabel},
        {Label5, Edit4, ProjectPropertiesTexts::CopyrightLabel},
        {Label6, Edit5, ProjectPropertiesTexts::CustomerLabel},
        {Label1, Edit6, ProjectPropertiesTexts::CreationDateLabel},
        {Label8, Edit7, ProjectPropertiesTexts::DiffusionDateLabel},
    };
    constexpr int kTextRoom = 2; // the last letter's overhang
    int fieldsLeft = Edit1->x();
    for (const auto &[label, edit, key] : rows) {
        const QFontMetrics metrics(label->font());
        for (const text::Language language : {text::French, text::English, text::Spanish})
            fieldsLeft =
                std::max(fieldsLeft, label->x() + kTextRoom +
                                         metrics.horizontalAdvance(text::Text(key, language)) + 1);
    }
    for (const auto &[label, edit, key] : rows) {
        const int right = edit->geometry().right();
        label->resize(fieldsLeft - 1 - label->x(), label->height());
        edit->setGeometry(fieldsLeft, edit->y(), right + 1 - fieldsLeft, edit->height());
    }
}

void TForm3::ResetPropertiesDialog()
{
    TVARNOGroup group;
    group.Name = QStringLiteral("New Project");
    group.Comments = QStringList{QStringLiteral("...")};
    fillFrom(group);
}

void TForm3::fillFrom(const TVARNOGroup &group)
{
    fullName_ = group.Name;
    Edit1->setText(group.Name); // cut to the field's limit
    Edit2->setText(group.Subject);
    Edit3->setText(group.Author);
    Edit4->setText(group.Copyright);
    Edit5->setText(group.Customer);
    Edit6->setText(group.CreationDate);
    Edit7->setText(group.DiffusionDate);
    // A last line that is empty needs its line break to stay a line.
    QString comment = group.Comments.join(QLatin1Char('\n'));
    if (!group.Comments.isEmpty() && group.Comments.constLast().isEmpty())
        comment += QLatin1Char('\n');
    Memo1->setPlainText(comment);
}

void TForm3::copyTo(TVARNOGroup &group) const
{
    // An over-long name the user left alone is given back whole.
    const bool nameUntouched = !Edit1->isModified() && fullName_.size() > Edit1->maxLength() &&
                               Edit1->text() == fullName_.left(Edit1->maxLength());
    group.Name = nameUntouched ? fullName_ : Edit1->text();
    group.Subject = Edit2->text();
    group.Author = Edit3->text();
    group.Copyright = Edit4->text();
    group.Customer = Edit5->text();
    group.CreationDate = Edit6->text();
    group.DiffusionDate = Edit7->text();

    // The raw text keeps no-break spaces, which toPlainText() turns into blanks.
    QString comment = Memo1->document()->toRawText();
    comment.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    comment.replace(QChar::LineSeparator, QLatin1Char('\n'));
    group.Comments.clear();
    if (comment.isEmpty())
        return;
    // As in a memo, a final line break ends the last line and adds none.
    if (comment.endsWith(QLatin1Char('\n')))
        comment.chop(1);
    group.Comments = comment.split(QLatin1Char('\n'));
}

void TForm3::showEvent(QShowEvent *event)
{
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    FormActivate();
    QDialog::showEvent(event);
}

void TForm3::FormActivate()
{
    using text::ProjectPropertiesTexts;
    const auto t = [this](ProjectPropertiesTexts key) { return text::Text(key, Language); };
    setWindowTitle(t(ProjectPropertiesTexts::PropertiesCaption));
    Label7->setText(t(ProjectPropertiesTexts::NameLabel));
    Label3->setText(t(ProjectPropertiesTexts::SubjectLabel));
    Label4->setText(t(ProjectPropertiesTexts::AuthorLabel));
    Label5->setText(t(ProjectPropertiesTexts::CopyrightLabel));
    Label6->setText(t(ProjectPropertiesTexts::CustomerLabel));
    Label1->setText(t(ProjectPropertiesTexts::CreationDateLabel));
    Label8->setText(t(ProjectPropertiesTexts::DiffusionDateLabel));
    Label2->setText(t(ProjectPropertiesTexts::PropertiesCommentsLabel));
    Button1->setText(t(ProjectPropertiesTexts::OkButton));
    Button2->setText(t(ProjectPropertiesTexts::CancelButton));
    Edit1->setFocus(Qt::OtherFocusReason);
}
