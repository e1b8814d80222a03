#pragma once

#include <QString>
#include <QStringList>
#include <model/FileNameCase.h>

// The project files opened or saved last, newest first, kept in the
// programmer's own options file. Read from the file each time, so that two
// programmers open at once share one list. Names are compared as the file
// system compares them (nameCase).
class TRecentProjects
{
public:
    static constexpr int MaxFiles = 8;

    explicit TRecentProjects(const QString &optionsFile,
                             Qt::CaseSensitivity nameCase = varno::FileNameCase())
        : file_(optionsFile), case_(nameCase)
    {
    }

    QStringList files() const;
    // Puts the file first (once, by its absolute path) and forgets the oldest
    // beyond MaxFiles.
    void add(const QString &fileName);
    void remove(const QString &fileName);

private:
    void write(const QStringList &files) const;

    // Every entry naming the file, however it is spelt.
    static qsizetype removeFrom(QStringList &list, const QString &file, Qt::CaseSensitivity cs);

    QString file_;
    Qt::CaseSensitivity case_;
};
