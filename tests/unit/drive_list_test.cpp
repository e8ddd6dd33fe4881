#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../../search/drives.h"

namespace {

DriveKind KindByLetter(const char *root)
{
    switch (root[0]) {
    case 'A': case 'E': case 'G': return DRIVE_KIND_REMOVABLE;
    case 'C': case 'F': return DRIVE_KIND_FIXED;
    default: return DRIVE_KIND_OTHER;  // D: optical, N: network
    }
}

const char kRoots[] = "A:\\\0C:\\\0D:\\\0E:\\\0N:\\\0";

TEST(DriveListTest, SelectorsKeepTheirKindsInLetterOrder)
{
    DriveList list;
    BuildDriveList(kRoots, sizeof kRoots, "all", KindByLetter, &list);
    EXPECT_STREQ("A:\\C:\\E:\\", list.roots);
    EXPECT_EQ(3, list.count);
    BuildDriveList(kRoots, sizeof kRoots, "removable", KindByLetter, &list);
    EXPECT_STREQ("A:\\E:\\", list.roots);
    EXPECT_EQ(2, list.count);
    BuildDriveList(kRoots, sizeof kRoots, "fixed", KindByLetter, &list);
    EXPECT_STREQ("C:\\", list.roots);
    EXPECT_EQ(1, list.count);
    BuildDriveList(kRoots, sizeof kRoots, "Fixed", KindByLetter, &list);
    EXPECT_EQ(0, list.count);
}

TEST(DriveListTest, EmptyAndUnterminatedBuffersGiveNoStrayRoots)
{
    DriveList list;
    BuildDriveList("\0", 1, "all", KindByLetter, &list);
    EXPECT_EQ(0, list.count);
    EXPECT_STREQ("", list.roots);
    const char cut[] = {'C', ':', '\\', '\0', 'F', ':', '\\'};  // last root lost its terminator
    BuildDriveList(cut, sizeof cut, "all", KindByLetter, &list);
    EXPECT_EQ(1, list.count);
    EXPECT_STREQ("C:\\", list.roots);
}

TEST(DriveListTest, RootsAreTakenByIndex)
{
    DriveList list;
    BuildDriveList(kRoots, sizeof kRoots, "all", KindByLetter, &list);
    char root[4];
    ASSERT_TRUE(DriveRoot(list, 2, root, sizeof root));
    EXPECT_STREQ("E:\\", root);
    ASSERT_TRUE(DriveRoot(list, 0, root, sizeof root));
    EXPECT_STREQ("A:\\", root);
    EXPECT_FALSE(DriveRoot(list, 3, root, sizeof root));
    EXPECT_FALSE(DriveRoot(list, -1, root, sizeof root));
    EXPECT_FALSE(DriveRoot(list, 0, root, 3));
}

TEST(DriveListTest, ManyDrivesFitTheList)
{
    std::string all;
    for (char c = 'A'; c <= 'Z'; ++c)
        all += std::string(1, c) + ":\\" + '\0';
    all += '\0';
    DriveList list;
    BuildDriveList(all.data(), static_cast<int>(all.size()), "all",
                   [](const char *) { return DRIVE_KIND_FIXED; }, &list);
    EXPECT_EQ(26, list.count);
    EXPECT_EQ(78u, std::strlen(list.roots));
}

}  // namespace
