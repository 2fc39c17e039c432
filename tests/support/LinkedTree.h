#pragma once
#include <gtest/gtest.h>

#include "FileProbe.h"
#include "HostTools.h"
#include "TestFixtures.h"

// A tree with ordinary content plus a folder link (made on the host) that points outside it,
// where the files must survive whatever is done to the tree. Wine 8 lists a link to a file as
// a plain file (no reparse flag) and DeleteFileA on it removes the target, so only folder
// links can be tested here.
struct LinkedTree {
    TempFolder inside;
    TempFolder outside;
    CString tree = inside.MakeFolder("tree");
    CString folderLink = tree + "\\folder link";
    CString outsideFile = outside.MakeFile("target\\keep.txt", "outside");
    CString outsideDeepFile = outside.MakeFile("target\\deep\\keep.txt", "outside");

    LinkedTree() {
        inside.MakeFile("tree\\own.txt");
        inside.MakeFile("tree\\sub\\own.txt");
        EXPECT_TRUE(HostTools::MakeSymlink(folderLink, outside / "target"));
        EXPECT_TRUE(LinkIntact());
    }

    bool OutsideIntact() const {
        return FileProbe::ReadBytes(outsideFile) == "outside" && FileProbe::ReadBytes(outsideDeepFile) == "outside";
    }
    bool LinkIntact() const { return FileProbe::IsLink(folderLink); }
};
