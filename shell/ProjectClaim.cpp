// Project files other running programmers hold: how two names of one file are
// told, and what the user is told of a file held elsewhere.

#include <QDir>
#include <QFileInfo>
#include <shell/ProjectClaim.h>
#include <text/text.h>

bool SameProjectFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    return !ca.isEmpty() && !cb.isEmpty() ? ca == cb
                                          : fa.absoluteFilePath() == fb.absoluteFilePath();
}

QString LockHeldMessage(TLockMessage kind, const QString &fileName, qint64 ownerPid,
                        const QString &ownerHost, const QString &lockFile, text::Language language)
{
    using text::AddedTexts;
    const bool open = kind == TLockMessage::OpenAnyway;
    const QString name = QFileInfo(fileName).fileName();
    // A lock file left empty names no owner: "process 0 on" would mislead.
    const QString held =
        ownerPid > 0
            ? text::Text(open ? AddedTexts::OpenElsewhere : AddedTexts::SaveHeldElsewhere, language)
                  .arg(name)
                  .arg(ownerPid)
                  .arg(ownerHost)
            : text::Text(open ? AddedTexts::OpenElsewhereUnknown
                              : AddedTexts::SaveHeldElsewhereUnknown,
                         language)
                  .arg(name);
    return held + QStringLiteral("\n\n") +
           text::Text(AddedTexts::LockFileNote, language).arg(QDir::toNativeSeparators(lockFile));
}
