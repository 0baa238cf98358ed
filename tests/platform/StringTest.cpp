// CString: construction, printf formatting, pieces, comparison and direct buffer writing.
#include "platform/core/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

TEST(CStringBasics, ConstructionAndCopies)
{
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(nullptr).IsEmpty());
    EXPECT_STREQ(CString(), "");
    EXPECT_EQ(CString("2024-03-15").GetLength(), 10);
    EXPECT_STREQ(CString("2024-03-15", 4), "2024");
    EXPECT_TRUE(CString("abc", -1).IsEmpty());

    CString a("first");
    CString b = a;
    b += "!";
    EXPECT_STREQ(a, "first");  // copies are independent
    EXPECT_STREQ(b, "first!");
    CString c = std::move(b);
    EXPECT_STREQ(c, "first!");
    c = "second";
    EXPECT_STREQ(c.GetString(), "second");
    c = nullptr;
    EXPECT_TRUE(c.IsEmpty());
    c = "x";
    c.Empty();
    EXPECT_EQ(c.GetLength(), 0);
}

TEST(CStringBasics, AppendingGrowsBeyondTheInlineBuffer)
{
    CString s;
    std::string expected;
    for (int i = 0; i < 100; ++i) {
        s += static_cast<char>('a' + i % 26);
        s += CString("-");
        expected += static_cast<char>('a' + i % 26);
        expected += '-';
    }
    EXPECT_EQ(s.GetString(), expected);
    EXPECT_EQ(s.GetAt(2), 'b');
}

TEST(CStringFormat, PrintfSemanticsAtAnyLength)
{
    CString s;
    s.Format("%04d-%02d-%02d", 2024, 3, 5);
    EXPECT_STREQ(s, "2024-03-05");
    s.Format("%04d%02d%02d", -1, -1, -1);
    EXPECT_STREQ(s, "-001-1-1");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());

    // Longer than any stack buffer: formatted exactly, not cut.
    const std::string big(5000, 'x');
    s.Format("<%s|%0300d>", big.c_str(), 7);
    ASSERT_EQ(s.GetLength(), 5000 + 2 + 300 + 1);
    EXPECT_EQ(std::string(s.GetString(), 5001), "<" + big);
    EXPECT_STREQ(s.GetString() + 5001, ("|" + std::string(299, '0') + "7>").c_str());
    // Reformatting a long string into a short one.
    s.Format("%d", 42);
    EXPECT_STREQ(s, "42");
}

TEST(CStringPieces, MidAndLeftClampToTheText)
{
    const CString s("2024-03-15");
    EXPECT_STREQ(s.Left(4), "2024");
    EXPECT_STREQ(s.Mid(5, 2), "03");
    EXPECT_STREQ(s.Mid(8), "15");
    EXPECT_STREQ(s.Mid(8, 10), "15");
    EXPECT_STREQ(s.Mid(10), "");
    EXPECT_STREQ(s.Mid(20, 2), "");
    EXPECT_STREQ(s.Mid(-3, 2), "20");
    EXPECT_STREQ(s.Mid(3, -1), "");
    EXPECT_STREQ(s.Left(0), "");
    EXPECT_STREQ(s.Left(-5), "");
    EXPECT_STREQ(s.Left(99), "2024-03-15");
    EXPECT_STREQ(CString().Mid(0, 3), "");
}

TEST(CStringCompare, CaseSensitiveWithStrcmpSign)
{
    const CString s("Dag");
    EXPECT_EQ(s.Compare("Dag"), 0);
    EXPECT_LT(s.Compare("dag"), 0);
    EXPECT_GT(s.Compare("Da"), 0);
    EXPECT_LT(s.Compare("Dagar"), 0);
    EXPECT_GT(s.Compare(""), 0);
    EXPECT_GT(s.Compare(nullptr), 0);
    EXPECT_EQ(CString().Compare(nullptr), 0);

    EXPECT_TRUE(s == "Dag");
    EXPECT_TRUE("Dag" == s);
    EXPECT_FALSE(s != "Dag");
    EXPECT_TRUE(s != "dag");
    EXPECT_TRUE(s == CString("Dag"));
    EXPECT_TRUE(s != CString("Dagar"));
}

TEST(CStringBuffer, WindowTextCallsWriteIntoIt)
{
    CString s("keep");
    char* buffer = s.GetBuffer(64);
    EXPECT_STREQ(buffer, "keep");  // the current text is kept
    std::strcpy(buffer, "2007-01-15");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 10);
    EXPECT_STREQ(s, "2007-01-15");

    buffer = s.GetBuffer(4);  // never shrinks
    buffer[4] = '\0';
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "2007");

    std::memcpy(s.GetBuffer(8), "abcdefgh", 8);
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "abc");
    EXPECT_EQ(s.GetLength(), 3);
}
