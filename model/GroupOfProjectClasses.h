#pragma once

#include <QString>
#include <QStringList>

// The descriptive properties of a project.
class TVARNOGroup
{
public:
    static constexpr int MaxNameLength = 64; // the player's name block

    TVARNOGroup() = default;
    virtual ~TVARNOGroup() = default;
    TVARNOGroup(const TVARNOGroup &) = default;
    TVARNOGroup &operator=(const TVARNOGroup &) = default;
    bool operator==(const TVARNOGroup &) const = default;

    QString Name;
    QString Subject;
    QString Author;
    QString Copyright;
    QString Customer;
    QString CreationDate;  // free text, never parsed
    QString DiffusionDate; // free text, never parsed
    QStringList Comments{QStringLiteral("...")};
};
