#pragma once

#include <model/GroupOfProjectClasses.h>
#include <model/ProgList.h>

// A whole project: its properties and its programs. What a project file holds
// and what a transmit sends.
class TProject
{
public:
    static inline const QString DefaultName = QStringLiteral("New Project");

    TProject() { Group.Name = DefaultName; }

    TVARNOGroup Group;
    TProgList Programs;

    // Drops every program and starts fresh properties named "New Project".
    void Clear()
    {
        Programs.Clear();
        Group = TVARNOGroup();
        Group.Name = DefaultName;
    }
};
