#pragma once

#include <memory>
#include <model/ProjectClasses.h>
#include <vector>

// The ordered programs of a project. The list owns its records; their addresses
// stay valid until they are deleted, so panels may hold on to them. The order is
// the order of adding and nothing sorts it.
class TProgList
{
public:
    static constexpr int MaxPrograms = 255;

    TProgList() = default;
    TProgList(TProgList &&) noexcept = default;
    TProgList &operator=(TProgList &&) noexcept = default;
    TProgList(const TProgList &) = delete;
    TProgList &operator=(const TProgList &) = delete;

    int count() const { return int(items_.size()); }
    bool isEmpty() const { return items_.empty(); }
    bool isFull() const { return count() >= MaxPrograms; }

    TVARNOProg &at(int index) { return *items_.at(std::size_t(index)); }
    const TVARNOProg &at(int index) const { return *items_.at(std::size_t(index)); }
    int indexOf(const TVARNOProg *program) const;

    // Appends a record with the defaults and the lowest free number. Returns
    // nullptr, changing nothing, when the list already holds 255 programs.
    TVARNOProg *Add();

    // Puts a copy of record at index (0..count), as a program that was deleted
    // from there comes back. Returns nullptr, changing nothing, when the list is
    // full or the index is out of range.
    TVARNOProg *Insert(int index, const TVARNOProg &record);

    // Removes and destroys the record at index.
    void Delete(int index);
    void Clear() { items_.clear(); }

    // Smallest number in 1..255 that no program holds, 0 when none is free.
    quint8 LowestFreeNumber() const;
    bool ProgramNumberExists(quint8 number) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<TVARNOProg>> items_;
};
