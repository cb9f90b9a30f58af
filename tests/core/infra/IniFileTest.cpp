#include "core/infra/IniFile.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tovel;
using tovel::test::TempDir;

TEST(IniDocument, LooksUpCaseInsensitivelyAndSkipsComments) {
    const IniDocument doc("; a comment\r\n[Draft]\r\n;PickTime=99\r\nPICKTIME = 30 \r\nConfig=AB;CD;EF;\r\n"
                          "[draft]\r\nPickTime=77\r\n");
    EXPECT_EQ(doc.Value("draft", "picktime"), "30");
    EXPECT_EQ(doc.Value("Draft", "Config"), "AB;CD;EF;"); // ";" inside a value is no comment
    EXPECT_FALSE(doc.Value("Draft", "Missing"));
    EXPECT_FALSE(doc.Value("Nowhere", "PickTime"));
}

TEST(IniDocument, ValueIsEverythingAfterTheFirstEquals) {
    const IniDocument doc("[S]\nkey=a=b\nempty=\n");
    EXPECT_EQ(doc.Value("S", "key"), "a=b");
    EXPECT_EQ(doc.Value("S", "empty"), "");
}

TEST(IniDocument, WritingAValueKeepsEveryOtherByte) {
    const std::string original = "; Tovel settings\r\n[Preferences]\r\nShowImages=0\r\n  ; keep me\r\n\r\n"
                                 "[Other]\nodd line without equals\nx=1";
    IniDocument doc(original);
    doc.SetValue("preferences", "showimages", "1");
    EXPECT_EQ(doc.Text(), "; Tovel settings\r\n[Preferences]\r\nShowImages=1\r\n  ; keep me\r\n\r\n"
                          "[Other]\nodd line without equals\nx=1");

    doc.SetValue("Preferences", "EditionsFilter", "AB;CD;");
    EXPECT_EQ(doc.Text(), "; Tovel settings\r\n[Preferences]\r\nShowImages=1\r\n  ; keep me\r\n"
                          "EditionsFilter=AB;CD;\r\n\r\n[Other]\nodd line without equals\nx=1");

    doc.SetValue("Other", "y", "2"); // the last line had no line end
    doc.SetValue("New", "k", "v");
    EXPECT_EQ(doc.Value("Other", "y"), "2");
    EXPECT_EQ(doc.Value("New", "k"), "v");
    EXPECT_NE(doc.Text().find("x=1\r\ny=2\r\n[New]\r\nk=v\r\n"), std::string::npos);
}

TEST(IniDocument, ALoneCrEndsALineAndIsKeptOnWrite) {
    IniDocument doc("[Draft]\rConfig=AB;AB;AB;\rPickTime=30");
    EXPECT_EQ(doc.Value("Draft", "Config"), "AB;AB;AB;");
    doc.SetValue("Draft", "Config", "CD;");
    EXPECT_EQ(doc.Text(), "[Draft]\rConfig=CD;\rPickTime=30");
}

TEST(IniDocument, ListsSectionsAndKeysOnce) {
    const IniDocument doc("[A]\nk1=1\nK1=2\nk2=3\n[b]\n[a]\nk3=4\n");
    EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(doc.Keys("a"), (std::vector<std::string>{"k1", "k2"}));
    // Entries keep every key line as written, for readers that match keys exactly.
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(doc.Entries("a"), (Entries{{"k1", "1"}, {"K1", "2"}, {"k2", "3"}}));
    EXPECT_TRUE(doc.Entries("none").empty());
}

TEST(IniFile, IntegersBooleansAndDefaults) {
    TempDir dir;
    const std::string path = dir.Write("t.ini", "[S]\ndec=-12\nhex=0x1F\nHEX=0Xff\nshort=0x\nword=yes\n"
                                                "two=2\nzero=0\nbig=99999999999\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("S", "dec", 5), -12);
    EXPECT_EQ(ini.ReadInteger("S", "hex", 5), 31);
    EXPECT_EQ(ini.ReadInteger("S", "short", 5), 5); // "0x" alone is no number
    EXPECT_EQ(ini.ReadInteger("S", "word", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "big", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "missing", 5), 5);
    EXPECT_TRUE(ini.ReadBool("S", "two", false));
    EXPECT_FALSE(ini.ReadBool("S", "zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "word", true)); // unreadable: the default
    EXPECT_FALSE(ini.ReadBool("S", "word", false));
    EXPECT_EQ(ini.ReadString("S", "missing", "dflt"), "dflt");
}

TEST(IniFile, WritesGoStraightToDiskAndCreateTheFile) {
    TempDir dir;
    IniFile ini(dir / "new.ini");
    EXPECT_EQ(ini.ReadString("Draft", "Config", ""), "");
    ini.WriteInteger("Draft", "PickTime", 25);
    ini.WriteBool("Options", "ShowDeck", false);
    ini.WriteString("Draft", "Config", std::string(5000, 'A')); // long values are not cut
    const IniFile other(dir / "new.ini");                       // a second reader sees the writes at once
    EXPECT_EQ(other.ReadInteger("Draft", "PickTime", 40), 25);
    EXPECT_FALSE(other.ReadBool("Options", "ShowDeck", true));
    EXPECT_EQ(other.ReadString("Draft", "Config", "").size(), 5000u);
    EXPECT_EQ(TempDir::Read(dir / "new.ini"), "[Draft]\r\nPickTime=25\r\nConfig=" + std::string(5000, 'A') +
                                                  "\r\n[Options]\r\nShowDeck=0\r\n");
}

TEST(IniFile, RefusedWriteReportsThePathAndKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const std::string path = dir.Write("locked/t.ini", "[S]\nk=old\n");
    ASSERT_EQ(::chmod((dir / "locked").c_str(), 0555), 0);
    IniFile ini(path);
    try {
        ini.WriteString("S", "k", "new");
        ADD_FAILURE() << "the write should have been refused";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    ::chmod((dir / "locked").c_str(), 0755);
    EXPECT_EQ(TempDir::Read(path), "[S]\nk=old\n");
}

TEST(IniFile, AWriteIntoAMissingFolderFailsCleanly) {
    TempDir dir;
    IniFile ini(dir / "no/such/folder/t.ini");
    EXPECT_THROW(ini.WriteString("S", "k", "v"), Error);
    EXPECT_EQ(ini.ReadString("S", "k", "dflt"), "dflt");
}

TEST(IniFile, AFileThatExistsButCannotBeReadReadsAsEmptyAndSaysWhy) {
    TempDir dir;
    EXPECT_EQ(IniFile(dir.Write("ok.ini", "[S]\nk=v\n")).ReadProblem(), "");
    EXPECT_EQ(IniFile(dir / "absent.ini").ReadProblem(), "");
    EnsureDirectory(dir / "folder.ini");
    const IniFile folder(dir / "folder.ini");
    EXPECT_EQ(folder.ReadString("S", "k", "default"), "default");
    EXPECT_EQ(folder.ReadProblem(), dir / "folder.ini" + " is not a regular file");
}

// A line too long to keep makes the file unreadable rather than a memory hog: it reads as empty,
// says why, and is never replaced by a write.
TEST(IniFile, ALineTooLongToKeepReadsAsEmptyAndIsNotOverwritten) {
    TempDir dir;
    const std::string text = "[S]\r\nk=" + std::string(kMaxLineBytes, 'v') + "\r\nj=1\r\n";
    const IniFile file(dir.Write("long.ini", text));
    EXPECT_EQ(file.ReadString("S", "j", "default"), "default");
    EXPECT_EQ(file.ReadProblem(),
              "Cannot read file \"" + dir / "long.ini" + "\". Line 2 is longer than 1048576 bytes.");
    IniFile writer(dir / "long.ini");
    EXPECT_THROW(writer.WriteString("S", "j", "2"), Error);
    EXPECT_EQ(TempDir::Read(dir / "long.ini"), text);
}
