#include "base/DocumentTable.h"

namespace ink {

int DocumentTable::allocate()
{
    if (lastDocumentSlot_ >= MaxSlot)
        return 0;
    ++lastDocumentSlot_;
    slots_[lastDocumentSlot_].open = true;
    return lastDocumentSlot_;
}

void DocumentTable::release(int slot)
{
    if (inRange(slot))
        slots_[slot].open = false;
}

QString DocumentTable::inheritedFolder(int slot, const QString& programFolder) const
{
    const QString& before = at(slot - 1).folder;
    return before.isEmpty() ? programFolder : before;
}

const DocumentTable::Slot& DocumentTable::at(int slot) const
{
    static const Slot empty;
    return inRange(slot) ? slots_[slot] : empty;
}

DocumentTable::Slot& DocumentTable::at(int slot)
{
    if (inRange(slot))
        return slots_[slot];
    scratch_ = Slot();
    return scratch_;
}

}
