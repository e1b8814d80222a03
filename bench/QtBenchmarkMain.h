#pragma once

// The main of a benchmark that needs a QApplication (widgets, pixmaps): offscreen
// unless a platform is set.

#include <QApplication>
#include <benchmark/benchmark.h>

inline void runQtBenchmarks(int &argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

inline void useOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
