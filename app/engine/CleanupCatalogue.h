#pragma once
#include "Framework.h"

// The fixed table of cleanup items, shared by the main window, direct mode and the item
// dispatch. Item ids run from 1 to 50; 0 means "no item".
namespace Catalogue {

enum ItemFlag : unsigned {
    kAdministrator = 1,  // needs administrator rights; the caption ends with the red "[관]"
    kHandPicked = 2,     // no selection mode checks it
    kSlow = 4,           // quick mode leaves it unchecked
};

enum class Tab { None, Internet, Program, Windows, Registry };

struct Item {
    int id;
    const char* optionKey;  // key in [Setting] and in direct mode; null for ids 13 and 26
    Tab tab;                // Tab::None: the item has no line in the main window
    int defaultCheck;       // [Setting] default; items 48 and 49 are never read from there
    unsigned flags;         // ItemFlag bits
    const char* caption;    // styled text; id 2 has a second form, see Caption
};

// A read-only run of item ids, usable in range-for.
struct IdList {
    const int* first;
    int count;
    const int* begin() const { return first; }
    const int* end() const { return first + count; }
};

struct TabInfo {
    Tab tab;
    const char* caption;
    IdList lines;  // in the order the main window lists them
};

// Every known item (13 and 26 included), rising by id.
const Item* Items(int& count);
// Null for an id with no item.
const Item* FindItem(int id);
// Compares without case, as direct mode lower-cases both sides; null for an unknown key.
const Item* FindItemByKey(const char* optionKey);

// The four tabs, in the order Internet, program, Windows, registry.
const TabInfo* Tabs(int& count);
const TabInfo* FindTab(Tab tab);

// The items direct mode can run, in the order it runs them.
IdList DirectModeOrder();

// A new caption for the id; empty for an id without one. Reads Config.ini for id 2 only.
CString Caption(int id);
// 1 for an administrator item, else 0 (also for 26 and unknown ids).
int IsAdministratorItem(int id);

enum class SelectionMode { Full, Quick };
// The check a listed line gets from a selection mode: 1 unless the mode leaves the item unchecked.
int SelectionCheck(int id, SelectionMode mode);

}  // namespace Catalogue
