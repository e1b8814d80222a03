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
    files.removeDuplicates();
    return files.mid(0, MaxFiles); // a list edited by hand may be longer
}

void TRecentProjects::add(const QString &fileName)
{
    const QString file = absolute(fileName);
    QStringList list = files();
    list.removeAll(file);
    list.prepend(file);
    write(list.mid(0, MaxFiles));
}

void TRecentProjects::remove(const QString &fileName)
{
    QStringList list = files();
    if (list.removeAll(absolute(fileName)) > 0)
        write(list);
}

void TRecentProjects::write(const QStringList &files) const
{
    QSettings settings(file_, QSettings::IniFormat);
    settings.setValue(kRecent, files);
}
