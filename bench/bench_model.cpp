// Costs of the model's bulk work: the 255 blocks of a transmit, and a full
// project file written and read.

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <link/EepromImage.h>
#include <link/TransmitImage.h>
#include <model/Clock.h>
#include <model/ProjectFile.h>

namespace {

TProject fullProject()
{
    TProject project;
    project.Group.Name = QStringLiteral("Benchmark");
    for (int i = 0; i < TProgList::MaxPrograms; ++i) {
        TVARNOProg *p = project.Programs.Add();
        p->SetDate(varno::datetime::EncodeDate(2026, 1 + i % 12, 1 + i % 28));
        p->Title = QStringLiteral("Program %1").arg(p->NumOfProg);
        p->Comment = QStringList{QString(128, QLatin1Char('c'))};
    }
    return project;
}

void BM_EncodeAllBlocks(benchmark::State &state)
{
    const TProject project = fullProject();
    for (auto _ : state) {
        auto blocks = varno::eeprom::TransmitBlocks(project.Programs);
        benchmark::DoNotOptimize(blocks);
    }
    state.SetItemsProcessed(state.iterations() * 255);
}
BENCHMARK(BM_EncodeAllBlocks);

void BM_DecodeAllBlocks(benchmark::State &state)
{
    const TProject project = fullProject();
    const auto blocks = varno::eeprom::TransmitBlocks(project.Programs);
    TVARNOProg record;
    for (auto _ : state) {
        for (const TTrameList &block : blocks)
            TramesToProg(record, block);
        benchmark::DoNotOptimize(record);
    }
    state.SetItemsProcessed(state.iterations() * 255);
}
BENCHMARK(BM_DecodeAllBlocks);

void BM_SaveProject(benchmark::State &state)
{
    const TProject project = fullProject();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.prg"));
    for (auto _ : state)
        SaveProject(file, project);
    state.SetBytesProcessed(state.iterations() * varno::projectfile::Serialize(project).size());
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_LoadProject(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.prg"));
    SaveProject(file, fullProject());
    for (auto _ : state) {
        TProject loaded = LoadProject(file);
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

} // namespace
