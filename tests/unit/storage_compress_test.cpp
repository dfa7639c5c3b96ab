// The zlib wrapper: the exact stream format, stream positions, the file forms
// and what a failure leaves behind.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <numeric>

#include "storage/BPCompress.h"
#include "storage_test_util.h"

namespace zoram {
namespace {

std::vector<uint8_t> Sample(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>((i * 7 + i / 13) % 251);
    return v;
}

std::vector<uint8_t> Compress2Level9(const std::vector<uint8_t>& data) {
    uLongf n = compressBound(static_cast<uLong>(data.size()));
    std::vector<uint8_t> out(n);
    EXPECT_EQ(compress2(out.data(), &n, data.data(), static_cast<uLong>(data.size()), 9), Z_OK);
    out.resize(n);
    return out;
}

TEST(Compress, StreamIsOneZlibStreamAtLevel9WhateverLevelIsAsked) {
    for (size_t n : {size_t{0}, size_t{1}, size_t{1000}, size_t{300000}}) {
        const auto data = Sample(n);
        MemoryStream source{data}, target;
        EXPECT_TRUE(CompressStream(1, source, target));
        // compress2 at level 9 uses the same window and memory level: same bytes.
        EXPECT_EQ(target.data, Compress2Level9(data)) << n;
        EXPECT_EQ(target.position, target.data.size());
        MemoryStream back;
        MemoryStream packed{target.data};
        EXPECT_TRUE(DecompressStream(0, packed, back));
        EXPECT_EQ(back.data, data) << n;
    }
}

TEST(Compress, StreamsWriteAtTheTargetPositionAndExpandingRewindsIt) {
    const auto data = Sample(5000);
    MemoryStream source{data}, target{{0xAA, 0xBB, 0xCC}, 2};
    CompressStream(9, source, target);
    EXPECT_EQ(target.data[0], 0xAA);
    EXPECT_EQ(target.data[1], 0xBB);
    const auto packed = Compress2Level9(data);
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), target.data.begin() + 2));
    EXPECT_EQ(target.position, 2 + packed.size());

    MemoryStream in{packed, packed.size()}, out{{1, 2}, 2};
    EXPECT_TRUE(DecompressStream(9, in, out));  // reads from 0 whatever the position
    EXPECT_EQ(out.position, 0u);
    ASSERT_EQ(out.data.size(), 2 + data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), out.data.begin() + 2));
}

TEST(Compress, ExpandingAnEmptySourceGivesFalseAndWritesNothing) {
    MemoryStream empty, target{{9, 9, 9}, 3};
    EXPECT_FALSE(DecompressStream(0, empty, target));
    EXPECT_EQ(target.data, (std::vector<uint8_t>{9, 9, 9}));
    EXPECT_EQ(target.position, 0u);
}

TEST(Compress, BadDataFailsWithErrorAndLeavesTheTargetAlone) {
    const auto good = Compress2Level9(Sample(4000));
    std::vector<uint8_t> truncated(good.begin(), good.end() - 5);
    std::vector<uint8_t> corrupt = good;
    corrupt[good.size() / 2] ^= 0x55;
    std::vector<uint8_t> badChecksum = good;
    badChecksum.back() ^= 1;
    const std::vector<uint8_t> cases[] = {{'h', 'e', 'l', 'l', 'o'}, truncated, corrupt, badChecksum};
    for (const auto& bytes : cases) {
        MemoryStream in{bytes}, out{{7}, 1};
        try {
            DecompressStream(0, in, out);
            ADD_FAILURE() << "no error for " << bytes.size() << " bytes";
        } catch (const CompressionError& e) {
            EXPECT_STREQ(e.what(), "Error");
        }
        EXPECT_EQ(out.data, std::vector<uint8_t>{7});
        EXPECT_EQ(out.position, 0u);
    }
}

TEST(Compress, ExpansionPastTheLimitIsAnError) {
    const auto packed = Compress2Level9(std::vector<uint8_t>(100000, 0));
    EXPECT_EQ(ExpandBytes(packed.data(), packed.size(), 100000).size(), 100000u);
    EXPECT_THROW(ExpandBytes(packed.data(), packed.size(), 99999), CompressionError);
}

using CompressFiles = testutil::TempDir;

TEST_F(CompressFiles, CompressingAFileOntoItselfLeavesTheCompressedData) {
    const auto data = Sample(70000);
    WriteBytes(File("set.mtd"), data);
    EXPECT_TRUE(CompressFile(3, File("set.mtd"), File("set.mtd")));
    EXPECT_EQ(ReadBytes(File("set.mtd")), Compress2Level9(data));
    EXPECT_TRUE(DecompressFile(3, File("set.mtd"), File("out.bin")));
    EXPECT_EQ(ReadBytes(File("out.bin")), data);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"out.bin", "set.mtd"}));  // no temporary left
}

TEST_F(CompressFiles, FailuresLeaveTheTargetUnwritten) {
    WriteBytes(File("junk.mtd"), {1, 2, 3, 4, 5, 6});
    WriteBytes(File("target"), {42});
    EXPECT_THROW(DecompressFile(0, File("junk.mtd"), File("target")), CompressionError);
    EXPECT_EQ(ReadBytes(File("target")), std::vector<uint8_t>{42});
    EXPECT_THROW(DecompressFile(0, File("junk.mtd"), File("new")), CompressionError);
    EXPECT_FALSE(std::filesystem::exists(File("new")));

    EXPECT_THROW(CompressFile(0, File("missing"), File("target")), FileError);
    EXPECT_EQ(ReadBytes(File("target")), std::vector<uint8_t>{42});

    // A target that cannot be replaced: its temporary's name is taken by a folder.
    std::filesystem::create_directory(File("target.tmp"));
    EXPECT_THROW(CompressFile(0, File("junk.mtd"), File("target")), FileError);
    EXPECT_EQ(ReadBytes(File("target")), std::vector<uint8_t>{42});

    // An empty source expands to nothing and the target is not touched.
    WriteBytes(File("empty"), {});
    EXPECT_FALSE(DecompressFile(0, File("empty"), File("target2")));
    EXPECT_FALSE(std::filesystem::exists(File("target2")));
}

}  // namespace
}  // namespace zoram
