#pragma once

#include <QtGlobal>
#include <vector>

// One byte of a program block as the link carries it.
class TTrame
{
public:
    TTrame() = default;
    explicit TTrame(quint8 value) : Value(value) {}
    virtual ~TTrame() = default;
    TTrame(const TTrame &) = default;
    TTrame &operator=(const TTrame &) = default;

    quint8 Value = 0;
    quint8 Length = 1; // bytes the link writes for this frame: always 1
};

// A program block: 24 frames, item k holding byte k. The list owns its frames.
using TTrameList = std::vector<TTrame>;
