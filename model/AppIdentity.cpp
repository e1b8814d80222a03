#include <QCoreApplication>
#include <QStandardPaths>
#include <model/AppIdentity.h>

namespace varno::identity {

void UseProgrammerNames()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(Organization));
    QCoreApplication::setApplicationName(QString::fromLatin1(Application));
}

QString DataFolder(const char *folder)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
           QString::fromLatin1(folder);
}

} // namespace varno::identity
