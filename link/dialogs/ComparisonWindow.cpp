#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <link/dialogs/ComparisonWindow.h>
#include <text/text.h>

TComparisonWindow::TComparisonWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ComparisonWindow"));
    resize(520, 360);
    auto *layout = new QVBoxLayout(this);
    Summary = new QLabel(this);
    Summary->setObjectName(QStringLiteral("Summary"));
    Table = new QTableWidget(0, 4, this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setStretchLastSection(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(Summary);
    layout->addWidget(Table);
    layout->addWidget(buttons);
}

void TComparisonWindow::showDifferences(const QList<varno::transfer::TFieldDifference> &differences,
                                        text::Language language)
{
    using text::AddedTexts;
    const auto t = [language](AddedTexts key) { return text::Text(key, language); };
    setWindowTitle(t(AddedTexts::ComparisonTitle));
    Summary->setText(t(AddedTexts::PlayerMatches));
    Summary->setVisible(differences.isEmpty());
    Table->setHorizontalHeaderLabels({t(AddedTexts::ProgramColumn), t(AddedTexts::FieldColumn),
                                      t(AddedTexts::SentColumn), t(AddedTexts::ReadColumn)});
    Table->setRowCount(int(differences.size()));
    // An absent program shows as a dash, in every language.
    const auto shown = [](const QString &value) {
        return value.isEmpty() ? QStringLiteral("\u2014") : value;
    };
    for (int row = 0; row < differences.size(); ++row) {
        const auto &d = differences[row];
        const QStringList cells = {d.Program > 0 ? QString::number(d.Program) : QString(),
                                   varno::transfer::FieldName(d, language), shown(d.Sent),
                                   shown(d.Read)};
        for (int column = 0; column < cells.size(); ++column)
            Table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    Table->resizeColumnsToContents();
}
