#pragma once

#include <QString>
#include <cstddef>

// What this process holds: resident and peak resident set from the kernel, and the bytes the
// allocator has handed out and not had back. The last is the one that shows a leak soonest;
// the kernel's figures are what a user would see.
struct ProcessMemory {
    long residentKb = 0;
    long peakResidentKb = 0;
    std::size_t heapInUse = 0;

    static ProcessMemory now();
    QString toString() const;
};
