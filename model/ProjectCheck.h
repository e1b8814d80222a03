#pragma once

class TProject;
#include <QStringList>

// Plain-English warnings about what a project would send to the player: numbers
// held twice, values outside the ranges the player understands, a name that does
// not fit its block. An empty list means nothing to report.
QStringList CheckProject(const TProject &project);
