#include <gtest/gtest.h>

#include "core/app/FreedesktopTypes.h"
#include "core/app/RegeditManagment.h"
#include "core/sad/FieldDefinitions.h"
#include "tests/common/TestUtil.h"

namespace tarvex {
namespace {

class FakeHost : public RegeditHost {
public:
    void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }
    bool DocumentsFolder(bool create, std::filesystem::path& out) override {
        if (create) ++createCalls;
        if (documents.empty()) return false;
        out = documents;
        return true;
    }
    bool QueryUserName(std::u16string& out) override {
        out = user;
        return !user.empty();
    }
    bool QueryComputerName(std::u16string& out) override {
        out = computer;
        return !computer.empty();
    }

    std::vector<std::u16string> messages;
    std::filesystem::path documents = "/home/anna/Dokumente";
    std::u16string user = u"anna", computer = u"zoll-pc";
    int createCalls = 0;
};

TEST(RegeditManagment, SectionOperationsRefusedBeforeInitialisation) {
    FakeHost host;
    CMemoryProfile programArea;
    CRegeditManagment reg(host, programArea, nullptr);
    const uint8_t bytes[] = {1, 2, 3};
    reg.WriteSectionBinary("EHForm_Defaults", "FieldDef_EH1", bytes, 3);
    std::vector<uint8_t> out{9};
    EXPECT_EQ(reg.ReadSectionBinary("EHForm_Defaults", "FieldDef_EH1", out, 616), 0);
    EXPECT_EQ(out, std::vector<uint8_t>{9});  // nothing read
    EXPECT_FALSE(reg.DeleteSectionValue("Settings", "FieldDef_EH1"));
    EXPECT_EQ(programArea.Size(), 0u);
    ASSERT_EQ(host.messages.size(), 3u);
    for (const auto& m : host.messages) EXPECT_EQ(m, u"CRegeditManagment-Error");

    // The field definitions go through the same gate: nothing is written into the program area.
    CMemoryProfile profile;
    CFieldDefinitions defs;
    LoadFieldDefinitions(defs, profile, reg.SectionArea());
    EXPECT_EQ(programArea.Size(), 0u);
    EXPECT_EQ(defs.page1, FieldDefTable1{});
}

TEST(RegeditManagment, InitializeWritesProgramEntriesAndEnablesSections) {
    FakeHost host;
    CMemoryProfile programArea, machineArea;
    CRegeditManagment reg(host, programArea, &machineArea);
    reg.Initialize(u"Tarvex-Import", "/opt/tarvex/bin/tarvex-import", "Nov 18 2020", std::string("3.11.7.0"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(reg.GetVersion(), 199431u);
    EXPECT_EQ(reg.GetVersionString(), "3.11.07");
    EXPECT_EQ(programArea.GetProfileInt("", "Version", 0), 199431);
    EXPECT_EQ(programArea.GetProfileString("", "Path", u""), u"/opt/tarvex/bin");
    EXPECT_EQ(machineArea.GetProfileInt("", "Version", 0), 199431);
    EXPECT_EQ(machineArea.GetProfileString("", "CreationDate", u""), u"Nov 18 2020");
    EXPECT_EQ(machineArea.GetProfileString("", "Path", u""), u"/opt/tarvex/bin");

    CMemoryProfile profile;
    CFieldDefinitions defs;
    LoadFieldDefinitions(defs, profile, reg.SectionArea());
    EXPECT_EQ(defs.page1, BuiltInFieldDefinitions1());
    EXPECT_EQ(defs.continuation, BuiltInFieldDefinitions2());
    std::vector<uint8_t> out;
    EXPECT_EQ(reg.ReadSectionBinary("EHForm_Defaults", "FieldDef_EH1", out, 10), 0);
    EXPECT_EQ(out.size(), 10u);
    EXPECT_EQ(reg.ReadSectionBinary("EHForm_Defaults", "Missing", out, 10), 2);
    EXPECT_TRUE(reg.DeleteSectionValue("EHForm_Defaults", "FieldDef_EH1"));
    EXPECT_FALSE(reg.DeleteSectionValue("EHForm_Defaults", "FieldDef_EH1"));
    EXPECT_TRUE(host.messages.empty());
}

TEST(RegeditManagment, VersionInfoMissingAndMachineAreaSkipped) {
    FakeHost host;
    CMemoryProfile programArea;
    CRegeditManagment reg(host, programArea, nullptr);  // not writable: skipped silently
    reg.Initialize(u"Tarvex-Import", "/p/tarvex-import", "d", std::nullopt, true);
    EXPECT_EQ(host.messages, std::vector<std::u16string>{u"ERROR"});
    EXPECT_EQ(reg.GetVersion(), 0u);
    CRegeditManagment noInfo(host, programArea, nullptr);
    noInfo.Initialize(u"Tarvex-Import", "/p/tarvex-import", "d", std::nullopt, false);
    EXPECT_EQ(noInfo.GetVersion(), 1u);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(RegeditManagment, DataDirectoryUserAndComputer) {
    FakeHost host;
    CMemoryProfile programArea;
    CRegeditManagment reg(host, programArea, nullptr);
    reg.Initialize(u"Tarvex-Import", "/p/tarvex-import", "d", std::string("3.0.0.0"));
    // The program's folder is joined with the system's own separator.
    const std::u16string sep(1, static_cast<char16_t>(std::filesystem::path::preferred_separator));
    EXPECT_EQ(reg.GetDataDirectory(false), u"/home/anna/Dokumente" + sep + u"Tarvex-Import");
    EXPECT_EQ(host.createCalls, 0);
    reg.GetDataDirectory(true);
    EXPECT_EQ(host.createCalls, 1);
    EXPECT_EQ(reg.GetDataDirectorySlash(), u"/home/anna/Dokumente" + sep + u"Tarvex-Import" + sep);
    std::u16string name;
    EXPECT_EQ(reg.GetUserName(name), 1);
    EXPECT_EQ(name, u"anna");
    EXPECT_EQ(reg.GetComputerName(name), 1);
    EXPECT_EQ(name, u"zoll-pc");
    host.user.clear();
    EXPECT_EQ(reg.GetUserName(name), 0);
    EXPECT_TRUE(name.empty());

    host.documents.clear();
    EXPECT_EQ(reg.GetDataDirectorySlash(), u"");
    EXPECT_EQ(host.messages, std::vector<std::u16string>{u"Fehler, keine Datenpfad"});
}

class FreedesktopTest : public ::testing::Test {
protected:
    static std::string Read(const std::filesystem::path& p) { return testutil::ReadText(p); }
    static std::vector<uint8_t> Icon(int index) { return {0x89, 'P', 'N', 'G', static_cast<uint8_t>(index)}; }

    // One program start's registration.
    void Start(uint32_t version) {
        FakeHost host;
        CMemoryProfile programArea;
        CRegeditManagment reg(host, programArea, nullptr);
        reg.SetProgramInfo(u"Tarvex-Import", "/opt/Tarvex Import/tarvex-import", "d", version);
        CFreedesktopTypeRegistry shell(dir, Icon);
        reg.RegisterAtStartup(shell);
        changed = shell.Changed();
    }

    testutil::TempDir tmp;
    const std::filesystem::path dir = tmp.Path();
    bool changed = false;
};

TEST_F(FreedesktopTest, FirstStartWritesNoFileVersionSecondStartDoes) {
    CFreedesktopTypeRegistry shell(dir, Icon);
    Start(199431);
    EXPECT_TRUE(changed);
    ASSERT_TRUE(shell.ExtensionKeyExists(u".aef"));
    EXPECT_EQ(shell.ReadFileTypeId(u".aef"), u"Einheitspapier");
    EXPECT_EQ(shell.ReadFileTypeId(u".fdv"), u"DV1-Dokument");
    EXPECT_FALSE(shell.ReadFileVersion(u".aef").has_value());
    const std::string xml = Read(shell.PackagePath(u".aef"));
    EXPECT_NE(xml.find("type=\"application/x-tarvex-einheitspapier\""), std::string::npos);
    EXPECT_NE(xml.find("<glob pattern=\"*.aef\"/>"), std::string::npos);
    EXPECT_NE(xml.find("value=\"KTW-EHForm@\""), std::string::npos);
    EXPECT_NE(xml.find("value=\"KTW-AEForm@\""), std::string::npos);
    EXPECT_NE(Read(shell.PackagePath(u".fdv")).find("value=\"KTW-DV1Form@\""), std::string::npos);
    const std::string desktop = Read(shell.DesktopPath(u"Einheitspapier"));
    EXPECT_NE(desktop.find("Exec=\"/opt/Tarvex Import/tarvex-import\" %f\n"), std::string::npos);
    EXPECT_NE(desktop.find("MimeType=application/x-tarvex-einheitspapier;\n"), std::string::npos);
    EXPECT_EQ(Read(shell.MimeIconPath(u"Einheitspapier")), std::string("\x89PNG\x01", 5));
    EXPECT_EQ(Read(shell.MimeIconPath(u"DV1-Dokument")), std::string("\x89PNG\x02", 5));

    Start(199431);
    EXPECT_TRUE(changed);
    EXPECT_EQ(shell.ReadFileVersion(u".aef"), 199431u);
    EXPECT_EQ(shell.ReadFileVersion(u".fdv"), 199431u);
    EXPECT_EQ(shell.ReadFileTypeId(u".aef"), u"Einheitspapier");

    Start(199431);  // nothing to do: the files stay as they are
    EXPECT_FALSE(changed);
}

TEST_F(FreedesktopTest, UpdateRemovesOnlyOlderRegistrations) {
    CFreedesktopTypeRegistry shell(dir, Icon);
    Start(196608);
    Start(196608);
    ASSERT_EQ(shell.ReadFileVersion(u".aef"), 196608u);
    FakeHost host;
    CMemoryProfile programArea;
    CRegeditManagment reg(host, programArea, nullptr);

    // Same version: both keys stay.
    reg.UpdateExtensionKey(shell, u".aef", 196608);
    EXPECT_TRUE(std::filesystem::exists(shell.DesktopPath(u"Einheitspapier")));
    EXPECT_EQ(shell.ReadFileTypeId(u".aef"), u"Einheitspapier");

    // Newer program: the extension key and its file type key go, the version is written again.
    reg.UpdateExtensionKey(shell, u".aef", 199431);
    EXPECT_FALSE(std::filesystem::exists(shell.DesktopPath(u"Einheitspapier")));
    EXPECT_FALSE(std::filesystem::exists(shell.MimeIconPath(u"Einheitspapier")));
    EXPECT_FALSE(shell.ReadFileTypeId(u".aef").has_value());
    EXPECT_EQ(shell.ReadFileVersion(u".aef"), 199431u);
    EXPECT_TRUE(std::filesystem::exists(shell.DesktopPath(u"DV1-Dokument")));  // the other type untouched

    // Short or unknown extensions are left alone.
    reg.UpdateExtensionKey(shell, u".ae", 199431);
    reg.UpdateExtensionKey(shell, u".xyz", 199431);
    EXPECT_FALSE(shell.ExtensionKeyExists(u".xyz"));

    // The full start-up sequence rebuilds what was removed.
    Start(199431);
    EXPECT_EQ(shell.ReadFileTypeId(u".aef"), u"Einheitspapier");
    EXPECT_TRUE(std::filesystem::exists(shell.DesktopPath(u"Einheitspapier")));
    EXPECT_EQ(shell.ReadFileVersion(u".aef"), 199431u);
}

TEST(Freedesktop, ExecLineQuoting) {
    EXPECT_EQ(CFreedesktopTypeRegistry::DesktopExec("/usr/bin/tarvex-import"), "/usr/bin/tarvex-import %f");
    EXPECT_EQ(CFreedesktopTypeRegistry::DesktopExec("/a b/$x"), "\"/a b/\\\\$x\" %f");
}

}  // namespace
}  // namespace tarvex
