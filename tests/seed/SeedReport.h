#pragma once
#include <vector>

#include "SeedManifest.h"

// What the manifest holds for one cleanup item, and how much of it is still there.
struct ItemTally {
    int item = 0;
    int files = 0;       // files, trees' files, index.dat files, recycle bin items
    long long bytes = 0;
    int registry = 0;    // keys, values, add-on switches
    int other = 0;       // URL cache entries, ini sections and lines
    int units = 0;
    int present = 0;
};

// One tally per item with traces, in the order direct mode runs the items, then the registry
// checks (only a cleaning run does those).
std::vector<ItemTally> TallyItems(const CSeedManifest& manifest);
// The table of items and the list of survivors with OK or LOST; returns how many were lost.
int PrintReport(const CSeedManifest& manifest);
// Takes away everything the manifest names (links first, never their targets' outside copies
// through them), then the seed folder.
void RemoveSeed(const CSeedManifest& manifest);
