#include <QFileInfo>
#include <QSettings>
#include <shell/RecentProjects.h>

namespace {

const QString kRecent = QStringLiteral("files/recentProjects");

QString absolute(const QString &fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}

} // namespace

QStringList TRecentProjects::files() const
{
    const QSettings settings(file_, QSettings::IniFormat);
    QStringList files = settings.value(kRecent).toStringList();
    files.removeAll(QString());
    QStringList once;
    for (const QString &file : std::as_const(files))
        if (!once.contains(file, case_))
            once << file;
    return once.mid(0, MaxFiles); // a list edited by hand may be longer
}

qsizetype TRecentProjects::removeFrom(QStringList &list, const QString &file,
                                      Qt::CaseSensitivity cs)
{
    return list.removeIf([&](const QString &entry) { return entry.compare(file, cs) == 0; });
}

void TRecentProjects::add(const QString &fileName)
{
    const QString file = absolute(fileName);
    QStringList list = files();
    removeFrom(list, file, case_);
    list.prepend(file);
    write(list.mid(0, MaxFiles));
}

void TRecentProjects::remove(const QString &fileName)
{
    QStringList list = files();
    if (removeFrom(list, absolute(fileName), case_) > 0)
        write(list);
}

void TRecentProjects::write(const QStringList &files) const
{
    QSettings settings(file_, QSettings::IniFormat);
    // Reopening the newest project changes nothing: no write to wait for.
    if (settings.value(kRecent).toStringList() != files)
        settings.setValue(kRecent, files);
}
