#pragma once

#include <QDialog>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <editor/UserDialogs.h>
#include <functional>
#include <optional>

// One scripted answer to a Yes/No question: true is Yes, false is No, and
// TAnswer::Dismissed is Escape, which a plain Yes/No box takes for No.
// A button of askChoice by its index; -1 is Cancel (or Escape).
struct FakeChoice
{
    int index;
};

struct FakeAnswer
{
    FakeAnswer(bool yes) : answer(yes ? TAnswer::Yes : TAnswer::No) {}
    FakeAnswer(TAnswer given) : answer(given) {}
    FakeAnswer(FakeChoice given) : answer(TAnswer::Dismissed), choice(given.index) {}
    TAnswer answer;
    // For askChoice: the button's index, -1 Cancel; Dismissed is Escape there too.
    std::optional<int> choice;
};

// Answers the application's questions and dialogs from a script, and records
// what was asked.
class FakeDialogs : public TUserDialogs
{
public:
    std::deque<FakeAnswer> answers;           // for both kinds of question, in order
    std::deque<QString> fileNames;            // for open and save dialogs
    std::deque<std::optional<QColor>> colors; // for the colour dialog
    std::function<int(QDialog *)> onExec;     // fills a modal dialog, returns its result
    std::deque<int> choices;                  // for questions with buttons of their own, -1 Cancel

    QStringList questions, warnings, errors;
    QList<QStringList> choiceButtons; // the buttons of each question with buttons of its own
    QStringList openedFolders;        // where open dialogs started, when they were told
    QList<QColor> colorDialogStarts;
    QStringList proposedNames; // what save dialogs proposed, when they did
    QList<QUrl> openedDocuments;
    bool documentOpens = true; // the system has a viewer

    bool askYesNo(QWidget *parent, const QString &question) override
    {
        return askYesNoOrDismiss(parent, question) == TAnswer::Yes;
    }
    // No when the script has run out.
    TAnswer askYesNoOrDismiss(QWidget *, const QString &question) override
    {
        questions << question;
        if (answers.empty())
            return TAnswer::No;
        const TAnswer answer = answers.front().answer;
        answers.pop_front();
        return answer;
    }
    // A FakeChoice or an Escape (Dismissed) at the head of `answers` first,
    // then `choices`; the default (the first button) when neither holds one.
    // Yes/No answers stay for the Yes/No questions.
    int askChoice(QWidget *, const QString &question, const QStringList &buttons) override
    {
        questions << question;
        choiceButtons << buttons;
        if (!answers.empty() &&
            (answers.front().choice || answers.front().answer == TAnswer::Dismissed)) {
            const int choice = answers.front().choice.value_or(-1);
            answers.pop_front();
            return choice;
        }
        if (choices.empty())
            return 0;
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }
    void warn(QWidget *, const QString &message) override { warnings << message; }
    void showError(QWidget *, const QString &message) override { errors << message; }
    QString openFileName(QWidget *, const QString &) override { return nextFile(); }
    QString openFileNameIn(QWidget *, const QString &, const QString &directory) override
    {
        openedFolders << directory;
        return nextFile();
    }
    QString saveFileName(QWidget *, const QString &, const QString &) override
    {
        return nextFile();
    }
    QString saveFileNameFor(QWidget *, const QString &, const QString &,
                            const QString &proposed) override
    {
        proposedNames << proposed;
        return nextFile();
    }
    bool openDocument(const QUrl &url) override
    {
        openedDocuments << url;
        return documentOpens;
    }
    std::optional<QColor> chooseColor(QWidget *, const QColor &initial) override
    {
        colorDialogStarts << initial;
        if (colors.empty())
            return std::nullopt;
        const auto color = colors.front();
        colors.pop_front();
        return color;
    }
    int exec(QDialog *dialog) override { return onExec ? onExec(dialog) : QDialog::Rejected; }

private:
    QString nextFile()
    {
        if (fileNames.empty())
            return {};
        const QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};
