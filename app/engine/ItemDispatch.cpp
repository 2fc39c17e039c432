#include "ItemDispatch.h"

void DispatchItem(int id, CHistoryCleaner& engine, CRegBackupWriter& writer, const CStringArray* cookieExceptions) {
    // One case per item routine; an id without a case runs nothing.
    switch (id) {
    case 1: engine.RemoveIETempFiles(); break;
    case 2: engine.RemoveIECookies(cookieExceptions); break;
    case 3: engine.RemoveIEAddressBarHistory(); break;
    case 4: engine.RemoveIEAutomaticPassword(); break;
    case 5: engine.RemoveIEVisitWebSiteHistory(); break;
    case 15: engine.RemoveIECacheIndexDat(); break;
    case 16: engine.RemoveIECookieIndexDat(); break;
    case 38: engine.RemoveFlashTempFolder(); break;
    case 45: engine.RemoveOperaTempFiles(); break;
    case 46: engine.RemoveOperaHistory(); break;
    case 47: engine.RemoveOperaCookies(); break;
    case 6: engine.RemoveWindowsTempFiles(); break;
    case 7: engine.EmptyWindowsRecycleBin(); break;
    case 8: engine.RemoveWindowsRecentDocumentHistory(); break;
    case 9: engine.RemoveWindowsRunHistory(); break;
    case 10: engine.RemoveWindowsFindFilesHistory(); break;
    case 11: engine.RemoveWindowsFindComputerHistory(); break;
    case 12: engine.RemoveWindowsNetworkConnectionHistory(); break;
    case 22: engine.RemovePrefetch(); break;
    case 39: engine.RemoveWindowsUpdateLogFile(); break;
    case 41: engine.UpdatePrefetchLayoutINI(); break;
    case 42: engine.RemoveNTUninstall(); break;
    case 43: engine.RemoveUSBHistory(); break;
    case 44: engine.RemoveTrayHistory(); break;
    case 14: engine.RemoveMediaPlayerHistory(); break;
    case 17: engine.RemoveComDlgOpenHistory(); break;
    case 18: engine.RemoveGOMPlayerHistory(); break;
    case 19: engine.RemoveALSEEHistory(); break;
    case 20: engine.RemoveOfficeRecentHistory(); break;
    case 21: engine.RemoveHWPRecentHistory(); break;
    case 23: engine.RemoveMSNMessengerHistory(); break;
    case 24: engine.RemoveNateOnMessengerHistory(); break;
    case 25: engine.RemoveBuddyBuddyHistory(); break;
    case 27: engine.RegistryCheckMUICache(writer); break;
    case 28: engine.RegistryCheckAppPaths(writer); break;
    case 29: engine.RegistryCheckHelpFile(writer); break;
    case 30: engine.RegistryCheckFontFile(writer); break;
    case 31: engine.RegistryCheckSetupPath(writer); break;
    case 32: engine.RegistryCheckUnusedProgramKey(writer); break;
    case 33: engine.RegistryCheckStartProgram(writer); break;
    case 34: engine.RegistryCheckStartMenuOrder(writer); break;
    case 35: engine.RegistryCheckProgramCommand(writer); break;
    case 36: engine.RegistryCheckSoundSetting(writer); break;
    case 37: engine.RemoveTerminalServiceHistory(); break;
    case 40: engine.RemoveALZIPExtractHistory(); break;
    case 50: engine.RemoveAdobeHistory(); break;
    default:
        break;
    }
}
