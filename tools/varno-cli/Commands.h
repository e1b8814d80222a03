#pragma once

#include <QList>
#include <QString>
#include <chrono>

class TProject;
struct TNarrowedNumber;

struct TransferOptions
{
    QString port;
    std::chrono::milliseconds timeout{10000};
};

int printImage(const TProject &project);
int printCheck(const TProject &project, const QList<TNarrowedNumber> &narrowed);
int transmit(const TProject &project, const TransferOptions &options);
int receive(const QString &output, bool force, const TransferOptions &options);
int verify(const TProject &project, const TransferOptions &options);
