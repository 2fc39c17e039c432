#include "MakerServer.h"

namespace {
const char kDeliveredServer[] = "http://service.quillon.example";
const char kOverrideVariable[] = "VANTREL_SERVER";
}  // namespace

CString CMakerServer::BaseUrl() {
    char overridden[256];
    DWORD length = GetEnvironmentVariableA(kOverrideVariable, overridden, sizeof overridden);
    CString base = (length > 0 && length < sizeof overridden) ? CString(overridden) : CString(kDeliveredServer);
    base.TrimRight('/');
    return base;
}

CString CMakerServer::Address(const char* path) { return BaseUrl() + path; }
