#pragma once
#include <QString>
#include <array>

namespace ink {

// The program's table of document windows: slots 1 to 1000, handed out in
// order and never reused within a run; slot 0 never holds a page. The window
// objects themselves are kept by the main window in a parallel array; this
// class keeps the per-slot facts that commands read.
class DocumentTable {
public:
    static constexpr int MaxSlot = 1000;

    struct Slot {
        QString folder;            // the page's folder, no trailing separator
        bool modified = false;     // text changed since last load or save
        bool designViewShown = false;
        bool codeViewShown = false;
        bool open = false;         // a window lives in the slot
    };

    // Takes the next slot (lastDocumentSlot + 1); 0 when all 1000 were used.
    int allocate();
    // The slot's window is gone; the slot stays empty for the rest of the run.
    void release(int slot);

    // The folder a new window in `slot` starts with: the folder of the slot
    // before it when that is not empty, otherwise `programFolder`.
    QString inheritedFolder(int slot, const QString& programFolder) const;

    static bool inRange(int slot) { return slot >= 0 && slot <= MaxSlot; }
    bool isOpen(int slot) const { return inRange(slot) && slots_[slot].open; }

    // Bounds-checked access; an out-of-range slot reads as an empty slot and
    // writes to it are dropped.
    const Slot& at(int slot) const;
    Slot& at(int slot);

    int lastDocumentSlot() const { return lastDocumentSlot_; }
    int activeDocument() const { return activeDocument_; }
    void setActiveDocument(int slot) { activeDocument_ = slot; }

private:
    std::array<Slot, MaxSlot + 1> slots_{};
    Slot scratch_;
    int lastDocumentSlot_ = 0;
    int activeDocument_ = 0;
};

// Program-wide flags of the shell.
struct ShellFlags {
    bool modalDialogActive = false;
    bool appClosing = false;
    bool mainWindowAlive = false;
};

}
