#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <editor/UserDialogs.h>

namespace {

QString title()
{
    return QApplication::applicationDisplayName();
}

} // namespace

bool TQtUserDialogs::askYesNo(QWidget *parent, const QString &question)
{
    return QMessageBox::question(parent, title(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

TAnswer TQtUserDialogs::askYesNoOrDismiss(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, title(), question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    // The box takes its No button for Escape and the close button unless it has
    // a Cancel one: a hidden Cancel receives them instead.
    QAbstractButton *dismiss = box.addButton(QMessageBox::Cancel);
    dismiss->hide();
    box.setEscapeButton(dismiss);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return TAnswer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return TAnswer::No;
    return TAnswer::Dismissed;
}

int TQtUserDialogs::askChoice(QWidget *parent, const QString &question, const QStringList &choices)
{
    QMessageBox box(QMessageBox::Question, title(), question, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> buttons;
    for (const QString &choice : choices)
        buttons << box.addButton(choice, QMessageBox::AcceptRole);
    QAbstractButton *cancel = box.addButton(QMessageBox::Cancel);
    if (!buttons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    box.setEscapeButton(cancel);
    box.exec();
    return int(buttons.indexOf(box.clickedButton())); // -1 for Cancel and Escape
}

void TQtUserDialogs::warn(QWidget *parent, const QString &message)
{
    QMessageBox::warning(parent, title(), message, QMessageBox::Ok);
}

void TQtUserDialogs::showError(QWidget *parent, const QString &message)
{
    QMessageBox::critical(parent, title(), message, QMessageBox::Ok);
}

QString TQtUserDialogs::openFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString TQtUserDialogs::openFileNameIn(QWidget *parent, const QString &filter,
                                       const QString &directory)
{
    return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
}

QString TQtUserDialogs::saveFileName(QWidget *parent, const QString &filter,
                                     const QString &defaultSuffix)
{
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // The toolkit asks before an existing file is replaced (Save to the
    // project's own file does not come here).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> TQtUserDialogs::chooseColor(QWidget *parent, const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

int TQtUserDialogs::exec(QDialog *dialog)
{
    return dialog->exec();
}
