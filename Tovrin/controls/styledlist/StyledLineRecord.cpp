#include "StyledLineRecord.h"

#include <atomic>

namespace {
std::atomic<long> g_liveRecords{0};
}

StyledLineRecord::StyledLineRecord(DWORD id) : lineId(id) { ++g_liveRecords; }

StyledLineRecord::~StyledLineRecord() { --g_liveRecords; }

long StyledLineRecord::LiveCount() { return g_liveRecords; }
