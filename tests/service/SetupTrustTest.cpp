#include <gtest/gtest.h>

#include "FileProbe.h"
#include "ProgramRun.h"
#include "TestFixtures.h"
#include "download/SetupTrust.h"

namespace {

// Published digests of these texts (FIPS 180-2 example and the empty message).
const char kAbcSha256[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
const char kEmptySha256[] = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";

TEST(SetupTrust, Sha256IsLowerCaseHexOfTheWholeFile) {
    TempFolder folder;
    EXPECT_STREQ(kAbcSha256, CSetupTrust::Sha256Hex(folder.MakeFile("abc.bin", "abc")));
    EXPECT_STREQ(kEmptySha256, CSetupTrust::Sha256Hex(folder.MakeFile("empty.bin", "")));
    EXPECT_STREQ("", CSetupTrust::Sha256Hex(folder / "missing.bin"));
}

TEST(SetupTrust, AnUnsignedFileIsTrustedOnlyByItsOwnHashInEitherCase) {
    TempFolder folder;
    const CString file = folder.MakeFile("setup.exe", "abc");
    struct Case {
        const char* expected;
        bool trusted;
    } cases[] = {
        {kAbcSha256, true},
        {"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD", true},
        {kEmptySha256, false},
        {"ba7816bf", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.trusted, CSetupTrust::IsTrusted(file, c.expected)) << c.expected;
    EXPECT_FALSE(CSetupTrust::IsTrusted(folder / "missing.exe", kAbcSha256));
}

TEST(SetupTrust, TheUnsignedStandInSetupHasNoValidSignature) {
    const CString standIn = ProgramRun::BuildFolder() + "\\setupstandin\\SetupStandin.exe";
    ASSERT_TRUE(FileProbe::Exists(standIn));
    EXPECT_FALSE(CSetupTrust::IsSignatureValid(standIn));
}

}  // namespace
