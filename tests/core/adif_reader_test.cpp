// Reading ADIF tagged text as other loggers write it.
#include "adif/adif_reader.h"

#include <gtest/gtest.h>

using namespace vqx;

namespace {

QString field(const AdifRecord &r, const char *name)
{
    return r.value(QLatin1String(name));
}

} // namespace

TEST(AdifReader, HeaderFieldsAndRecordsWithTagsInAnyCase)
{
    const AdifFile f = readAdif("Exported by a logger <with a bracket>\r\n"
                                "<ADIF_VER:5>3.1.4 <programid:6>LOGGER\r\n"
                                "<EoH>\r\n"
                                "<call:5>F1ABC <Qso_Date:8:D>20210605 <EOR>\r\n"
                                "<CALL:5>F2DEF<eor>");
    ASSERT_TRUE(f.ok());
    ASSERT_EQ(f.header.size(), 2);
    EXPECT_EQ(f.header.at(0).name, QStringLiteral("ADIF_VER"));
    EXPECT_EQ(f.header.at(0).value, QStringLiteral("3.1.4"));
    EXPECT_EQ(f.header.at(1).name, QStringLiteral("PROGRAMID"));
    ASSERT_EQ(f.records.size(), 2);
    EXPECT_EQ(field(f.records.at(0), "CALL"), QStringLiteral("F1ABC"));
    EXPECT_EQ(field(f.records.at(0), "QSO_DATE"), QStringLiteral("20210605"));
    EXPECT_EQ(field(f.records.at(1), "CALL"), QStringLiteral("F2DEF"));
}

TEST(AdifReader, FileWithoutHeaderStartsWithItsFirstField)
{
    const AdifFile f = readAdif("<CALL:4>F1AB<EOR>\n<CALL:4>F2CD<EOR>\n");
    ASSERT_TRUE(f.ok());
    EXPECT_TRUE(f.header.isEmpty());
    ASSERT_EQ(f.records.size(), 2);
    EXPECT_EQ(f.records.at(1).offset, 18);
}

TEST(AdifReader, TextWithoutHeaderEndBeforeTheFirstField)
{
    const AdifFile f = readAdif("\r\n  <CALL:4>F1AB<EOR>");
    ASSERT_TRUE(f.ok());
    ASSERT_EQ(f.records.size(), 1);
}

TEST(AdifReader, LengthDecidesWhereAValueEndsEvenAcrossBrackets)
{
    const AdifFile f = readAdif("<COMMENT:9>a<b>c <d>e<CALL:4>F1AB<EOR>");
    ASSERT_TRUE(f.ok());
    ASSERT_EQ(f.records.size(), 1);
    EXPECT_EQ(field(f.records.at(0), "COMMENT"), QStringLiteral("a<b>c <d>"));
    EXPECT_EQ(field(f.records.at(0), "CALL"), QStringLiteral("F1AB"));
}

TEST(AdifReader, ValidUtf8IsReadAsUtf8)
{
    const AdifFile f = readAdif(QStringLiteral("<NAME:6>HÉLÈNE <EOR>").toUtf8());
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.encoding, AdifEncoding::Utf8);
    EXPECT_EQ(field(f.records.at(0), "NAME"), QStringLiteral("HÉLÈNE"));
}

TEST(AdifReader, OtherBytesAreWindows1252)
{
    const AdifFile f = readAdif("<NAME:6>H\xC9L\xC8NE <COMMENT:3>\x80\x9C\xFF<EOR>");
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.encoding, AdifEncoding::Windows1252);
    EXPECT_EQ(field(f.records.at(0), "NAME"), QStringLiteral("HÉLÈNE"));
    EXPECT_EQ(field(f.records.at(0), "COMMENT"), QStringLiteral("€œÿ"));
}

TEST(AdifReader, ByteOrderMarkIsNotText)
{
    const AdifFile f = readAdif("\xEF\xBB\xBF<CALL:4>F1AB<EOR>");
    ASSERT_TRUE(f.ok());
    EXPECT_TRUE(f.header.isEmpty());
    EXPECT_EQ(f.records.size(), 1);
}

// In UTF-8, "HÉLÈNE" is 6 characters and 8 bytes: both counts are met in
// files, and the one followed by the next field is the right one.
struct LengthCase
{
    const char *name;
    const char *text; // UTF-8
    const char *expectedName;
    const char *expectedNext;
};

class AdifLengths : public testing::TestWithParam<LengthCase>
{
};

TEST_P(AdifLengths, TheReadingFollowedByTheNextFieldWins)
{
    const LengthCase &c = GetParam();
    const AdifFile f = readAdif(QByteArray(c.text));
    ASSERT_TRUE(f.ok()) << int(f.error);
    ASSERT_EQ(f.records.size(), 1);
    EXPECT_EQ(field(f.records.at(0), "NAME"), QString::fromUtf8(c.expectedName));
    EXPECT_EQ(field(f.records.at(0), "CALL"), QString::fromUtf8(c.expectedNext));
}

INSTANTIATE_TEST_SUITE_P(
    BytesOrCharacters, AdifLengths,
    testing::Values(
        LengthCase{"CountsCharacters", "<NAME:6>HÉLÈNE <CALL:4>F1AB<EOR>", "HÉLÈNE", "F1AB"},
        LengthCase{"CountsBytes", "<NAME:8>HÉLÈNE <CALL:4>F1AB<EOR>", "HÉLÈNE", "F1AB"},
        LengthCase{"CharactersWithoutBlank", "<NAME:6>HÉLÈNE<CALL:4>F1AB<EOR>", "HÉLÈNE", "F1AB"},
        LengthCase{"BytesWithoutBlank", "<NAME:8>HÉLÈNE<CALL:4>F1AB<EOR>", "HÉLÈNE", "F1AB"},
        LengthCase{"CharactersBeforeTheEnd", "<CALL:4>F1AB<NAME:3>ZOË<EOR>", "ZOË", "F1AB"},
        LengthCase{"BytesBeforeTheEnd", "<CALL:4>F1AB<NAME:4>ZOË<EOR>", "ZOË", "F1AB"},
        // Both readings end before a tag: the shorter one leaves out a blank.
        LengthCase{"BothFitTheShorterWins", "<NAME:4>ZOË <CALL:4>F1AB<EOR>", "ZOË", "F1AB"},
        LengthCase{"FourByteCharacter", "<NAME:2>A\xF0\x9F\x98\x80<CALL:4>F1AB<EOR>",
                   "A\xF0\x9F\x98\x80", "F1AB"}),
    [](const testing::TestParamInfo<LengthCase> &i) { return std::string(i.param.name); });

struct BrokenCase
{
    const char *name;
    const char *text;
    AdifReadError error;
    int record;
    qsizetype offset;
};

class AdifBroken : public testing::TestWithParam<BrokenCase>
{
};

TEST_P(AdifBroken, SaysWhatAndWhere)
{
    const BrokenCase &c = GetParam();
    const AdifFile f = readAdif(QByteArray(c.text));
    EXPECT_FALSE(f.ok());
    EXPECT_EQ(f.error, c.error);
    EXPECT_EQ(f.errorRecord, c.record);
    EXPECT_EQ(f.errorOffset, c.offset);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AdifBroken,
    testing::Values(
        BrokenCase{"CutInsideAValue", "<CALL:4>F1AB<EOR><CALL:5>F2", AdifReadError::TruncatedValue,
                   2, 25},
        BrokenCase{"CutInsideATag", "<CALL:4>F1AB<EOR><CALL:", AdifReadError::BadTag, 2, 17},
        BrokenCase{"LastRecordWithoutEor", "<CALL:4>F1AB<EOR><CALL:4>F2CD \r\n",
                   AdifReadError::MissingEor, 2, 32},
        BrokenCase{"FieldWithoutLength", "<CALL:4>F1AB <BAND>20m<EOR>", AdifReadError::BadTag, 1,
                   13},
        BrokenCase{"LengthNotANumber", "<CALL:x>F1AB<EOR>", AdifReadError::BadTag, 1, 0},
        BrokenCase{"BlankInAName", "<CA LL:4>F1AB<EOR>", AdifReadError::BadTag, 1, 0},
        BrokenCase{"HugeLength", "<CALL:99999999999999999999>F1AB<EOR>",
                   AdifReadError::TruncatedValue, 1, 27},
        BrokenCase{"Utf8CutInsideAValue", "<NAME:6>H\xC3\x89L", AdifReadError::TruncatedValue, 1,
                   8}),
    [](const testing::TestParamInfo<BrokenCase> &i) { return std::string(i.param.name); });

TEST(AdifReader, EmptyRecordsAndAStrayHeaderEndAreNoRecords)
{
    const AdifFile f = readAdif("<EOR> <eoh> <CALL:4>F1AB<EOR><EOR>");
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.records.size(), 1);
}

TEST(AdifReader, AbsentFieldIsEmpty)
{
    const AdifFile f = readAdif("<CALL:4>F1AB<NAME:0><EOR>");
    ASSERT_TRUE(f.ok());
    const AdifRecord &r = f.records.at(0);
    EXPECT_TRUE(r.has(QLatin1String("NAME")));
    EXPECT_FALSE(r.has(QLatin1String("BAND")));
    EXPECT_TRUE(r.value(QLatin1String("BAND")).isEmpty());
}
