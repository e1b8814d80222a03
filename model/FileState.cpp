#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <model/FileState.h>

TFileState TFileState::of(const QString &fileName)
{
    TFileState state;
    const QFileInfo info(fileName);
    if (!info.isFile())
        return state;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return state;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return state;
    state.known = true;
    state.size = info.size();
    state.modified = info.lastModified();
    state.hash = hash.result();
    return state;
}

bool TFileState::differsFrom(const TFileState &other) const
{
    if (!known || !other.known)
        return false;
    return size != other.size || modified != other.modified || hash != other.hash;
}
