// A counted run of children read from a stored record (a simulation's sections,
// a section's segments, a part's sub-parts), the same way in every format. The
// format's face reads the count (Count) and tells whether the record still
// reads (Good). The count sizes nothing: children are made one at a time. Each
// is held while it reads and handed over only when the record still reads
// after it: a child cut short is dropped and ends the run, and an interrupted
// read leaks none.
#pragma once

#include <memory>
#include <vector>

namespace PmRecordChildren
{
// read(Child&) reads one child; adopt(Child*) takes it, or throws having taken nothing.
template <class Child, class Face, class ReadChild, class Adopt>
void Read(const Face& face, ReadChild read, Adopt adopt)
{
    const int count = face.Count();
    for (int i = 0; i < count && face.Good(); ++i)
    {
        std::unique_ptr<Child> child(new Child());
        read(*child);
        if (!face.Good())
            return;
        adopt(child.get());
        child.release();
    }
}

// The children a writer stores, in order: the slots that hold one, so that the
// count written is the number of records that follow.
template <class Child>
std::vector<Child*> Stored(const std::vector<Child*>& children)
{
    std::vector<Child*> stored;
    for (Child* child : children)
    {
        if (child)
            stored.push_back(child);
    }
    return stored;
}
} // namespace PmRecordChildren
