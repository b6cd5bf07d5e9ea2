#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/app/NewFileTemplates.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "tests/common/TestUtil.h"

using namespace tarvex;
using tarvex::testutil::TempDir;

TEST(NewFileTemplates, AreEmptyDocumentsTheProgramOpens) {
    const auto templates = NewFileTemplates();
    ASSERT_EQ(templates.size(), 2u);
    EXPECT_EQ(templates[0].fileName, u"Einheitspapier.aef");
    EXPECT_EQ(templates[1].fileName, u"DV1-Dokument.fdv");

    CEinheitspapierDoc sad(nullptr);
    std::string error;
    ASSERT_TRUE(ReadAef(templates[0].bytes, sad, error)) << error;
    EXPECT_EQ(sad.m_nLoadStatus, 0);
    EXPECT_EQ(sad.Store().GetFieldCount1(), 154);
    // A form of its own: a file without one would open as an export file.
    EXPECT_EQ(sad.m_nFormVariant, 0);
    for (int page = 1; page <= sad.Store().GetPageCount(); ++page)
        for (int f = 0; f < (page == 1 ? sad.Store().GetFieldCount1() : sad.Store().GetFieldCount2()); ++f)
            ASSERT_TRUE(sad.Store().GetFieldText(f, page).empty()) << page << "/" << f;

    CDV1_Doc dv1;
    FdvReadInfo info;
    ASSERT_TRUE(ReadFdv(templates[1].bytes, dv1, error, &info)) << error;
    EXPECT_EQ(FdvOpenMessage(dv1, info), 0);
}

TEST(NewFileTemplates, WrittenOnceAndNeverOverTheUsersFiles) {
    const TempDir dir;
    const auto folder = dir.Path() / "Vorlagen" / "neu";
    int written = -1;
    std::string error;
    ASSERT_TRUE(WriteNewFileTemplates(folder, written, error)) << error;
    EXPECT_EQ(written, 2);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "Einheitspapier.aef"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "DV1-Dokument.fdv"));

    // A template the user changed, and one the user replaced by a link, stay as they are.
    { std::ofstream(folder / "Einheitspapier.aef", std::ios::binary | std::ios::trunc) << "mine"; }
    if (testutil::kSymlinksAndModes) {
        std::filesystem::remove(folder / "DV1-Dokument.fdv");
        std::filesystem::create_symlink(dir.Path() / "nowhere", folder / "DV1-Dokument.fdv");
    }
    ASSERT_TRUE(WriteNewFileTemplates(folder, written, error)) << error;
    EXPECT_EQ(written, 0);
    EXPECT_EQ(std::filesystem::file_size(folder / "Einheitspapier.aef"), 4u);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "nowhere"));

    // A folder that cannot be made: a message, nothing written.
    { std::ofstream(dir.Path() / "file") << "x"; }
    error.clear();
    EXPECT_FALSE(WriteNewFileTemplates(dir.Path() / "file" / "sub", written, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(written, 0);
}

TEST(NewFileTemplates, TemplatesFolderFromUserDirsConfig) {
    struct Case {
        std::string config;
        std::optional<std::string> folder;
    } cases[] = {
        {"XDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n", "/home/anna/Vorlagen"},
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n  XDG_TEMPLATES_DIR=\"/srv/vorlagen/\"\r\n",
         "/srv/vorlagen"},
        {"XDG_TEMPLATES_DIR=\"$HOME/\"\n", std::nullopt},  // the home folder: no templates folder
        {"XDG_TEMPLATES_DIR=\"$HOME\"\n", std::nullopt},
        {"XDG_TEMPLATES_DIR=\"$HOMEX/a\"\n", std::nullopt},
        {"XDG_TEMPLATES_DIR=relative\n", std::nullopt},
        {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", std::nullopt},
        {"", std::nullopt},
        {"XDG_TEMPLATES_DIR=\"$HOME/A\"\nXDG_TEMPLATES_DIR=\"$HOME/B\"", "/home/anna/B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XdgUserDirFromConfig(c.config, "TEMPLATES", "/home/anna"), c.folder) << c.config;
}
