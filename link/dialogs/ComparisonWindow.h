#pragma once

#include <QDialog>
#include <QList>
#include <link/PlayerImage.h>
#include <text/Language.h>

class QLabel;
class QTableWidget;

// The differences between what was sent and what the player holds: one row per
// program and field, with the value sent and the value read.
class TComparisonWindow : public QDialog
{
    Q_OBJECT

public:
    explicit TComparisonWindow(QWidget *parent = nullptr);

    void showDifferences(const QList<varno::transfer::TFieldDifference> &differences,
                         text::Language language);

    QLabel *Summary;
    QTableWidget *Table;
};
