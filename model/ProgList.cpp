#include <algorithm>
#include <bitset>
#include <model/ProgList.h>

int TProgList::indexOf(const TVARNOProg *program) const
{
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [program](const auto &item) { return item.get() == program; });
    return it == items_.end() ? -1 : int(it - items_.begin());
}

TVARNOProg *TProgList::Add()
{
    if (isFull())
        return nullptr;
    auto program = std::make_unique<TVARNOProg>();
    program->NumOfProg = LowestFreeNumber();
    items_.push_back(std::move(program));
    return items_.back().get();
}

TVARNOProg *TProgList::Insert(int index, const TVARNOProg &record)
{
    if (isFull() || index < 0 || index > count())
        return nullptr;
    const auto it =
        items_.insert(items_.begin() + std::ptrdiff_t(index), std::make_unique<TVARNOProg>(record));
    return it->get();
}

void TProgList::Delete(int index)
{
    items_.erase(items_.begin() + std::ptrdiff_t(index));
}

quint8 TProgList::LowestFreeNumber() const
{
    std::bitset<256> used;
    for (const auto &item : items_)
        used.set(item->NumOfProg);
    for (int n = 1; n <= MaxPrograms; ++n) {
        if (!used.test(std::size_t(n)))
            return quint8(n);
    }
    return 0;
}

bool TProgList::ProgramNumberExists(quint8 number) const
{
    return std::any_of(items_.begin(), items_.end(),
                       [number](const auto &item) { return item->NumOfProg == number; });
}
