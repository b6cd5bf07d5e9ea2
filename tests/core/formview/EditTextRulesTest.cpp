#include <gtest/gtest.h>

#include "core/formview/EditTextRules.h"

using namespace tarvex;

TEST(EditTextRules, PasteCleanUp) {
    struct Case {
        std::u16string in, out;
    } cases[] = {
        {u"\"one\ntwo\"", u"one\r\ntwo"},
        {u"a\r\nb\nc", u"a\r\nb\r\nc"},
        {u"\nx", u"\r\nx"},
        {u"Abc   \r\n\t", u"Abc"},
        {u"\"quoted\"   ", u"quoted"},
        {u"\"open only", u"\"open only"},
        {u"\"", u"\""},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(CleanPastedText(c.in), c.out);
}

TEST(EditTextRules, WindowAndStoreLineBreaks) {
    EXPECT_EQ(WindowToStoreText(u"a\nb\n"), u"a\r\nb\r\n");
    EXPECT_EQ(WindowToStoreText(u"a\r\nb"), u"a\r\nb");
    EXPECT_EQ(StoreToWindowText(u"a\r\nb"), u"a\nb");
    EXPECT_EQ(WindowToStoreText(StoreToWindowText(u"x\r\ny\r\nz")), u"x\r\ny\r\nz");
}
