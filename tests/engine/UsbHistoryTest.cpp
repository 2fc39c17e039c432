#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "TraceFixtures.h"

using FileProbe::Exists;
using namespace TraceFixtures;

namespace {

const char kEnum[] = "SYSTEM\\CurrentControlSet\\Enum";

bool SetDacl(const char* path, PACL dacl) {
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

// Keys of HKLM closed to everyone by an empty access list, as Windows closes device keys;
// opened again (a null access list) at the end so that they can be deleted.
class LockedKeys {
public:
    ~LockedKeys() {
        for (const CString& path : m_paths)
            SetDacl(path, nullptr);
    }

    bool Lock(const char* path) {
        ACL empty;
        InitializeAcl(&empty, sizeof empty, ACL_REVISION);
        m_paths.push_back(path);
        return SetDacl(path, &empty);
    }

private:
    std::vector<CString> m_paths;
};

void CreateMachineKey(const CString& path) {
    SetText(HKEY_LOCAL_MACHINE, path, "HardwareID", "VANTREL");
}

void RunRemoveUSBHistory() {
    CHistoryCleaner engine;
    RunItem(43, engine);
}

}  // namespace

TEST(RemoveUSBHistory, DeletesDeviceKeysOfTheCurrentControlSetButRootHubs) {
    EnsuredKey usb(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USB");
    EnsuredKey usbStorage(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USBSTOR");
    SeededKey device(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USB\\VID_VANTREL&PID_0001");
    CreateMachineKey(device / "SERIAL1\\Device Parameters");
    SeededKey rootHub(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USB\\ROOT_HUB_VANTREL");
    CreateMachineKey(rootHub / "4&1\\Device Parameters");
    SeededKey stick(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USBSTOR\\Disk&Ven_Vantrel&Prod_Stick");
    CreateMachineKey(stick / "SERIAL2\\Properties\\{a8b865dd-2e3d-4094-ad97-e593a70c75d6}");

    RunRemoveUSBHistory();

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, device));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, stick));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, rootHub / "4&1\\Device Parameters"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USB"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USBSTOR"));
}

TEST(RemoveUSBHistory, OpensKeysClosedToTheUserBeforeDeletingThem) {
    EnsuredKey usbStorage(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USBSTOR");
    SeededKey stick(HKEY_LOCAL_MACHINE, CString(kEnum) + "\\USBSTOR\\Disk&Ven_Vantrel&Prod_Locked");
    CString properties = stick / "SERIAL3\\Properties";
    CString property = properties + "\\{a8b865dd-2e3d-4094-ad97-e593a70c75d6}";
    CreateMachineKey(property);
    LockedKeys locks;
    // Closed from the bottom up, so that each key can still be reached while closing it.
    ASSERT_TRUE(locks.Lock(property));
    ASSERT_TRUE(locks.Lock(properties));
    ASSERT_TRUE(locks.Lock(stick));
    ASSERT_NE(ERROR_SUCCESS, SHDeleteKeyA(HKEY_LOCAL_MACHINE, stick));

    RunRemoveUSBHistory();

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, properties));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, stick));
}

TEST(RemoveUSBHistory, AlsoCleansEveryNumberedControlSetWhateverItsCase) {
    CString numbered = "SYSTEM\\ControlSet001";
    CString lowerCase = "SYSTEM\\controlset002";
    CString tooLong = "SYSTEM\\ControlSet0003";
    CString otherName = "SYSTEM\\VantrelSet001";
    EnsuredKey sets[] = {{HKEY_LOCAL_MACHINE, numbered},
                         {HKEY_LOCAL_MACHINE, lowerCase},
                         {HKEY_LOCAL_MACHINE, tooLong},
                         {HKEY_LOCAL_MACHINE, otherName}};
    CString usbDevice = "\\Enum\\USB\\VID_VANTREL&PID_0002";
    CString storageDevice = "\\Enum\\USBSTOR\\Disk&Ven_Vantrel&Prod_Other";
    for (const CString& set : {numbered, lowerCase, tooLong, otherName}) {
        CreateMachineKey(set + usbDevice + "\\SERIAL4");
        CreateMachineKey(set + storageDevice + "\\SERIAL5");
        CreateMachineKey(set + "\\Enum\\USB\\ROOT_HUB_VANTREL\\4&2");
    }

    RunRemoveUSBHistory();

    for (const CString& set : {numbered, lowerCase}) {
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, set + usbDevice)) << set;
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, set + storageDevice)) << set;
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, set + "\\Enum\\USB\\ROOT_HUB_VANTREL\\4&2")) << set;
    }
    for (const CString& set : {tooLong, otherName}) {
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, set + usbDevice + "\\SERIAL4")) << set;
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, set + storageDevice + "\\SERIAL5")) << set;
    }
}

TEST(RemoveUSBHistory, DeletesSetupLogFilesOfTheWindowsFolder) {
    CString windows = WindowsFolder();
    SeededPath log(MakeFileAt(windows + "\\setupapi.log"));
    SeededPath oldLog(MakeFileAt(windows + "\\SetupAPI.log.vantrel"));
    SeededPath folder(windows + "\\setupapi.logs");
    MakeFileAt(folder / "inside.log");
    SeededPath otherFile(MakeFileAt(windows + "\\setupapi.vantrel.txt"));

    RunRemoveUSBHistory();

    EXPECT_FALSE(Exists(log));
    EXPECT_FALSE(Exists(oldLog));
    EXPECT_TRUE(Exists(folder / "inside.log"));
    EXPECT_TRUE(Exists(otherFile));
}
