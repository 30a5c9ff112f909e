#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/durable_file.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "support/platform.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

TEST(TextFile, ReadsCrLfLfAndAnUnendedLastLine) {
    TempFolder folder;
    const struct {
        const char* bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nc", {"a", "", "c"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        writeFileBytes(folder.file("t.txt"), c.bytes);
        EXPECT_EQ(readLines(folder.file("t.txt")), c.lines) << c.bytes;
    }
    EXPECT_FALSE(readLines(folder.file("missing.txt")));
    EXPECT_FALSE(readLines(folder.path()));  // a folder is no text file
}

TEST(TextFile, RewriteWritesCrLfAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.file("out.txt");
    ASSERT_TRUE(rewriteTextFile(path, {"Velocita [km/h]", "", " 12"}));
    EXPECT_EQ(readFileBytes(path), "Velocita [km/h]\r\n\r\n 12\r\n");
    ASSERT_TRUE(rewriteTextFile(path, {"x"}));
    EXPECT_EQ(readFileBytes(path), "x\r\n");
    EXPECT_EQ(test::filesIn(folder.path()).size(), 1u);
}

// ISO 8859-1 on POSIX, the ANSI code page 1252 on Windows: "à" is the one byte 0xE0 on disk
// and UTF-8 again when read back, and a file the system names "Città" in its code page is
// found by the UTF-8 name (a folder chosen by the user, say).
TEST(TextFile, TextsAndFileNamesInALatin1CodePage) {
    const test::Latin1CodePage latin1;
    if (!latin1.available()) {
        GTEST_SKIP() << "no Latin-1 code page on this system";
    }
    TempFolder folder;
    const std::string path = folder.file("VENTO.TXT");
    ASSERT_TRUE(rewriteTextFile(path, {"Velocità [km/h]"}));
    ASSERT_TRUE(appendLine(path, "però"));
    EXPECT_EQ(readFileBytes(path), "Velocit\xE0 [km/h]\r\nper\xF2\r\n");
    EXPECT_EQ(readLines(path), (std::vector<std::string>{"Velocità [km/h]", "però"}));
    EXPECT_EQ(readRawLines(path), (std::vector<std::string>{"Velocit\xE0 [km/h]", "per\xF2"}));

    // The C library takes names in the code page on both systems.
    std::FILE* named = std::fopen((folder.path() + pathSeparator() + "Citt\xE0.txt").c_str(), "wb");
    ASSERT_NE(named, nullptr);
    std::fclose(named);
    EXPECT_TRUE(fileExists(folder.file("Città.txt")));
    ASSERT_TRUE(renewTextFile(folder.file("Città.txt"), {"x"}));
    EXPECT_EQ(readLines(folder.file("Città.txt")), std::vector<std::string>{"x"});
    EXPECT_EQ(test::filesIn(folder.path()).size(), 2u);
}

// UI-View may be reading my_meteo.txt just when the cycle rewrites it. On Windows its open
// handle refuses the rename over the file; the files rewritten every cycle must land anyway.
TEST(TextFile, RenewLandsWhileAReaderHoldsTheFile) {
    const bool refused = test::renameOverOpenFileRefused();
    TempFolder folder;
    const std::string path = folder.file("my_meteo.txt");
    writeFileBytes(path, "old\r\n");
    writeFileBytes(folder.file("currdat.lst"), "copied\r\n");
    {
        const test::OpenReader reader(path);
        ASSERT_TRUE(reader.isOpen());
        // The rename alone: refused on Windows, and the old content then stays whole.
        EXPECT_EQ(rewriteTextFile(path, {"renamed"}), !refused);
        EXPECT_EQ(readFileBytes(path), refused ? "old\r\n" : "renamed\r\n");
    }
    const test::OpenReader reader(path);
    ASSERT_TRUE(reader.isOpen());
    EXPECT_TRUE(renewTextFile(path, {"renewed"}));
    EXPECT_EQ(readFileBytes(path), "renewed\r\n");
    EXPECT_TRUE(renewFileCopy(folder.file("currdat.lst"), path));
    EXPECT_EQ(readFileBytes(path), "copied\r\n");
    EXPECT_EQ(test::filesIn(folder.path()).size(), 2u);  // no temporary file left
}

TEST(TextFile, FailedRewriteKeepsTheOldContent) {
    TempFolder folder;
    const std::string path = folder.file("keep.txt");
    writeFileBytes(path, "old\r\n");
    // The temporary file cannot be created where a folder of its name stands.
    test::blockRewrite(path);
    EXPECT_FALSE(rewriteTextFile(path, {"new"}));
    EXPECT_FALSE(renewTextFile(path, {"new"}));
    EXPECT_EQ(readFileBytes(path), "old\r\n");
    EXPECT_FALSE(rewriteTextFile(folder.file("no-such-folder") + "/x.txt", {"new"}));
}

TEST(TextFile, DurableRewriteGoesThroughTheSystemsFlushes) {
    TempFolder folder;
    test::WorkingFolder cwd(folder.path());
    // A bare file name: its folder is the working folder.
    ASSERT_TRUE(rewriteTextFile("config.brz", {"1", "2"}, Durability::FlushToDisk));
    EXPECT_EQ(readFileBytes(folder.file("config.brz")), "1\r\n2\r\n");
    EXPECT_TRUE(flushFileToDisk(folder.file("config.brz")));
    EXPECT_TRUE(flushFolderToDisk(folder.path()));
    EXPECT_FALSE(flushFileToDisk(folder.file("missing")));
}

TEST(TextFile, AppendCreatesThenAddsWholeLines) {
    TempFolder folder;
    const std::string path = folder.file("day.txt");
    ASSERT_TRUE(appendLine(path, "one"));
    ASSERT_TRUE(appendLine(path, "one"));
    EXPECT_EQ(readFileBytes(path), "one\r\none\r\n");
    EXPECT_FALSE(appendLine(folder.file("no-such-folder") + "/x.txt", "one"));
}

TEST(TextFile, CopyReplacesTheTargetByteForByte) {
    TempFolder folder;
    writeFileBytes(folder.file("a"), std::string("x\0y\r\n", 5));
    writeFileBytes(folder.file("b"), "earlier");
    ASSERT_TRUE(copyFileReplacing(folder.file("a"), folder.file("b")));
    EXPECT_EQ(readFileBytes(folder.file("b")), std::string("x\0y\r\n", 5));
    EXPECT_FALSE(copyFileReplacing(folder.file("missing"), folder.file("b")));
    EXPECT_EQ(readFileBytes(folder.file("b")), std::string("x\0y\r\n", 5));
}

TEST(TextFile, ExistenceIsForRegularFilesOnly) {
    TempFolder folder;
    writeFileBytes(folder.file("f"), "");
    EXPECT_TRUE(fileExists(folder.file("f")));
    EXPECT_FALSE(fileExists(folder.path()));
    EXPECT_FALSE(fileExists(folder.file("missing")));
}

TEST(PathRule, AppendsTheSeparatorOnlyWhenMissing) {
    const std::string sep(1, pathSeparator());
    EXPECT_EQ(joinPath("out", "my_meteo.txt"), "out" + sep + "my_meteo.txt");
    EXPECT_EQ(joinPath("out" + sep, "my_meteo.txt"), "out" + sep + "my_meteo.txt");
    EXPECT_EQ(joinPath(sep, "x"), sep + "x");
    EXPECT_FALSE(joinPath("", "my_meteo.txt"));  // an empty folder names no folder
}

TEST(TextFile, StartUpRemovesOnlyStaleTemporaryFiles) {
    TempFolder folder;
    const auto aged = [&](const std::string& name, bool stale) {
        writeFileBytes(folder.file(name), "x");
        if (stale) {
            std::filesystem::last_write_time(
                toFsPath(folder.file(name)),
                std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
        }
    };
    aged("my_meteo.txt.brz-new", true);
    aged("config.brz.brz-new", true);
    aged("NOW.TXT.brz-new", false);  // a rewrite under way elsewhere
    aged("notes.brz-new.txt", true);
    aged("brz-new", true);
    std::filesystem::create_directory(toFsPath(folder.file("kept.brz-new")));

    removeLeftoverTemporaries(folder.path());

    EXPECT_EQ(test::filesIn(folder.path()),
              (std::vector<std::string>{"NOW.TXT.brz-new", "brz-new", "kept.brz-new",
                                        "notes.brz-new.txt"}));
}

}  // namespace
}  // namespace brezzolo
