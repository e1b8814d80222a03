#pragma once

#include <QString>
#include <QStringList>

// The project files opened or saved last, newest first, kept in the
// programmer's own options file. Read from the file each time, so that two
// programmers open at once share one list.
class TRecentProjects
{
public:
    static constexpr int MaxFiles = 8;

    explicit TRecentProjects(const QString &optionsFile) : file_(optionsFile) {}

    QStringList files() const;
    // Puts the file first (once, by its absolute path) and forgets the oldest
    // beyond MaxFiles.
    void add(const QString &fileName);
    void remove(const QString &fileName);

private:
    void write(const QStringList &files) const;

    QString file_;
};
