#include <gtest/gtest.h>

#include "app/Startup.h"

using namespace zoram;

TEST(Startup, SplitsModulePathIntoDirectoryAndName) {
    auto p = SplitExecutablePath(u"C:\\Program Files\\Zoram\\zoram.exe");
    EXPECT_EQ(p.directory, u"C:\\Program Files\\Zoram\\");
    EXPECT_EQ(p.fileName, u"zoram.exe");
    auto unc = SplitExecutablePath(u"\\\\server\\share\\z.exe");
    EXPECT_EQ(unc.directory, u"\\\\server\\share\\");
    EXPECT_EQ(unc.fileName, u"z.exe");
}

TEST(Startup, HookLibraryIsRewrittenUnlessSameVersionAndPresent) {
    struct Case { std::u16string version; bool exists; bool write; } cases[] = {
        {u"1.41", true, false},
        {u"1.41", false, true},   // deleted: written again
        {u"", true, true},        // no settings yet
        {u"1.40", true, true},    // another version's copy is replaced
        {u"1.41 ", true, true},   // compared exactly
        {u"1.410", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HookLibraryNeedsWriting(c.version, c.exists), c.write)
            << std::string(c.version.begin(), c.version.end()) << " " << c.exists;
}
