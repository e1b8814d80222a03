#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

// How a question with Yes and No was left: Dismissed is Escape or the box's
// close button, when the user chose neither.
enum class TAnswer
{
    Yes,
    No,
    Dismissed,
};

// Every question, message, file dialog and modal dialog of the application goes
// through this interface, so that tests can answer them. The real one shows the
// toolkit's boxes with the toolkit's own button labels.
class TUserDialogs
{
public:
    virtual ~TUserDialogs() = default;

    // A confirmation with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &question) = 0;
    // The same two buttons, for a question where taking No for an answer the
    // user did not give would lose work: Escape and closing the box give Dismissed.
    virtual TAnswer askYesNoOrDismiss(QWidget *parent, const QString &question) = 0;
    // A question with buttons of its own (their labels in order, the first the
    // default) and the toolkit's Cancel: the index of the button chosen, -1 for
    // Cancel, Escape or the box's close button.
    virtual int askChoice(QWidget *parent, const QString &question, const QStringList &choices) = 0;
    // A warning with one OK button.
    virtual void warn(QWidget *parent, const QString &message) = 0;
    // An error box, for failures the user must know about.
    virtual void showError(QWidget *parent, const QString &message) = 0;
    // Empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &filter) = 0;
    // The same, starting in a given folder.
    virtual QString openFileNameIn(QWidget *parent, const QString &filter, const QString &directory)
    {
        Q_UNUSED(directory);
        return openFileName(parent, filter);
    }
    virtual QString saveFileName(QWidget *parent, const QString &filter,
                                 const QString &defaultSuffix) = 0;
    // Nothing when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) = 0;
    // Shows a modal dialog; returns its result (QDialog::Accepted or Rejected).
    virtual int exec(QDialog *dialog) = 0;
};

class TQtUserDialogs : public TUserDialogs
{
public:
    bool askYesNo(QWidget *parent, const QString &question) override;
    TAnswer askYesNoOrDismiss(QWidget *parent, const QString &question) override;
    int askChoice(QWidget *parent, const QString &question, const QStringList &choices) override;
    void warn(QWidget *parent, const QString &message) override;
    void showError(QWidget *parent, const QString &message) override;
    QString openFileName(QWidget *parent, const QString &filter) override;
    QString openFileNameIn(QWidget *parent, const QString &filter,
                           const QString &directory) override;
    QString saveFileName(QWidget *parent, const QString &filter,
                         const QString &defaultSuffix) override;
    std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) override;
    int exec(QDialog *dialog) override;
};
