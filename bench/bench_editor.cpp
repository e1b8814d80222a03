// Costs of the program panels that a user could notice: building the menus at
// start-up, showing a program, filling a list of 255 rows, switching language.

#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <editor/LittleOneProg.h>
#include <editor/OneProg.h>
#include <memory>
#include <model/ProjectClasses.h>
#include <vector>

namespace {

TVARNOProg sixActions()
{
    TVARNOProg p;
    p.TimerOn = 1;
    p.DateMode = 2;
    p.ActionCount = 6;
    p.ActionKind = {akVolume,         akTimerFile,      akTransport,
                    akInternalOutput, akExternalOutput, akGoToProgram};
    p.ActionNumber = {6, 12, 3, 4, 17, 42};
    return p;
}

void BM_BuildMenus(benchmark::State &state)
{
    for (auto _ : state) {
        TFrame2 panel;
        panel.BuildMenus();
        benchmark::DoNotOptimize(panel.PopupMenu1);
    }
}
BENCHMARK(BM_BuildMenus)->Unit(benchmark::kMillisecond);

void BM_ShowProgSixActions(benchmark::State &state)
{
    TFrame2 panel;
    panel.BuildMenus();
    TVARNOProg program = sixActions();
    panel.Prog = &program;
    for (auto _ : state) {
        panel.ClearActions();
        panel.ShowProg();
    }
}
BENCHMARK(BM_ShowProgSixActions)->Unit(benchmark::kMicrosecond);

void BM_Fill255CompactRows(benchmark::State &state)
{
    std::vector<TVARNOProg> programs(255, sixActions());
    for (auto _ : state) {
        QWidget list;
        auto *layout = new QVBoxLayout(&list);
        for (TVARNOProg &program : programs) {
            auto *row = new TFrame1(&list);
            row->Prog = &program;
            row->ShowLittleProg();
            layout->addWidget(row);
        }
        list.adjustSize();
        benchmark::DoNotOptimize(list.size());
    }
}
BENCHMARK(BM_Fill255CompactRows)->Unit(benchmark::kMillisecond);

void BM_PanelLanguageSwitch(benchmark::State &state)
{
    TFrame2 panel;
    panel.BuildMenus();
    TVARNOProg program = sixActions();
    panel.Prog = &program;
    panel.ShowProg();
    auto language = text::French;
    for (auto _ : state) {
        language = language == text::Spanish ? text::French : text::Language(language + 1);
        panel.Language = language;
        panel.TranslatePanel();
        panel.TranslateActions();
    }
}
BENCHMARK(BM_PanelLanguageSwitch)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    useOffscreenUnlessSet();
    QApplication app(argc, argv);
    runQtBenchmarks(argc, argv);
    return 0;
}
