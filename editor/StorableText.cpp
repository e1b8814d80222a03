#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolTip>
#include <QValidator>
#include <editor/StorableText.h>
#include <model/Cp1252.h>

namespace varno::storable {
namespace {

// Length in UTF-16 units of the character that starts at i.
qsizetype characterLength(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

bool storable(QStringView character)
{
    return character == QChar(QChar::LineSeparator) || cp1252::CanEncode(character.toString());
}

void showHint(QWidget *editor, const QPoint &globalPosition, const HintText &hint)
{
    if (hint)
        QToolTip::showText(globalPosition, hint(), editor);
}

class TStorableValidator : public QValidator
{
public:
    TStorableValidator(QLineEdit *editor, HintText hint)
        : QValidator(editor), editor_(editor), hint_(std::move(hint))
    {
    }

    // Taking the characters out here covers every way text comes in.
    State validate(QString &input, int &pos) const override
    {
        const QString kept = StorablePart(input);
        if (kept.size() != input.size()) {
            pos -= int(input.left(pos).size() - StorablePart(input.left(pos)).size());
            input = kept;
            showHint(editor_, editor_->mapToGlobal(QPoint(0, editor_->height())), hint_);
        }
        return Acceptable;
    }

private:
    QLineEdit *editor_;
    HintText hint_;
};

// Removes the characters that cannot be stored; true when there were any.
bool removeUnstorable(QTextDocument *document)
{
    bool removed = false;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (qsizetype i = text.size(); i > 0;) {
            qsizetype start = i - 1;
            if (text[start].isLowSurrogate() && start > 0 && text[start - 1].isHighSurrogate())
                --start;
            const qsizetype length = i - start;
            if (!storable(QStringView(text).mid(start, length))) {
                QTextCursor cursor(block);
                cursor.setPosition(block.position() + int(start));
                cursor.setPosition(block.position() + int(i), QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                removed = true;
            }
            i = start;
        }
    }
    return removed;
}

} // namespace

QString StorablePart(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = characterLength(text, i);
        const QStringView character = QStringView(text).mid(i, length);
        if (storable(character))
            kept += character;
        i += length;
    }
    return kept;
}

void KeepStorable(QLineEdit *editor, HintText hint)
{
    editor->setValidator(new TStorableValidator(editor, std::move(hint)));
}

void KeepStorable(QPlainTextEdit *editor, HintText hint)
{
    QObject::connect(
        editor, &QPlainTextEdit::textChanged, editor, [editor, hint = std::move(hint)] {
            bool removed = false;
            {
                const QSignalBlocker blocker(editor);
                removed = removeUnstorable(editor->document());
            }
            if (removed)
                showHint(editor, editor->viewport()->mapToGlobal(editor->cursorRect().bottomLeft()),
                         hint);
        });
}

} // namespace varno::storable
