#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
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

int TQtUserDialogs::askChoice(QWidget *parent, const QString &question, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Question, title(), question, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> added;
    for (const QString &text : buttons)
        added << box.addButton(text, QMessageBox::AcceptRole);
    QAbstractButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setEscapeButton(cancel);
    if (!added.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(added.constFirst()));
    box.exec();
    return int(added.indexOf(box.clickedButton()));
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
    return saveFileNameFor(parent, filter, defaultSuffix, QString());
}

QString TQtUserDialogs::saveFileNameFor(QWidget *parent, const QString &filter,
                                        const QString &defaultSuffix, const QString &proposed)
{
    QFileDialog dialog(parent, QString(), QString(), filter);
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // The toolkit asks before an existing file is replaced (Save to the
    // project's own file does not come here).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool TQtUserDialogs::openDocument(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
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
