#include <gtest/gtest.h>

#include "catalogue/byte_io.h"
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_check.h"
#include "catalogue/catalogue_csv.h"
#include "catalogue/cp1252.h"
#include "catalogue/head_catalogue.h"
#include "synthetic/synthetic_catalogue.h"
#include "test_support.h"

namespace tavrin {
namespace {

using test::WideHead;

std::string Bytes(const std::vector<HeadRecord>& heads) {
    auto bytes = SerializeHeads(heads);
    EXPECT_TRUE(bytes.Ok());
    return bytes.Value();
}

std::vector<std::string> Names(const std::vector<HeadRecord>& heads) {
    std::vector<std::string> names;
    for (const auto& head : heads) {
        names.push_back(head.Name);
    }
    return names;
}

TEST(HeadLoader, RecordTakesFixedPartPlusTexts) {
    HeadRecord head = WideHead("AB");
    head.ResArdo = "x";
    head.HeadType = "t";
    // 42 fixed bytes, 8 length fields, 2 + 1 + 5 + 1 text bytes.
    EXPECT_EQ(Bytes({head}).size(), 42u + 16u + 2u + 1u + 5u + 1u);

    // The layout other programs read, written out by hand: seven texts, the
    // numbers, the head type.
    ByteWriter writer;
    for (const char* text : {"N", "a", "r", "b", "q", "s", "v"}) {
        writer.WriteU16(1);
        writer.WriteBytes(text);
    }
    for (const std::int16_t value : {std::int16_t{11}, std::int16_t{12}, std::int16_t{13}}) {
        writer.WriteI16(value);
    }
    writer.WriteDouble(1.5);
    writer.WriteI16(14);
    for (const double value : {2.5, 3.5, 4.5}) {
        writer.WriteDouble(value);
    }
    writer.WriteI16(5);
    writer.WriteU16(1);
    writer.WriteBytes("t");
    HeadRecord expected{"N", "a", "r", "b", "q", "s", "v", 11, 12, 13, 1.5, 14, 2.5, 3.5, 4.5, 5, "t"};
    EXPECT_EQ(LoadHeads(writer.Bytes()), std::vector<HeadRecord>{expected});
    EXPECT_EQ(Bytes({expected}), writer.Bytes());
}

TEST(HeadLoader, RoundTripKeepsEveryField) {
    HeadRecord head = WideHead("TQS 50/2");
    head.Aperture = -7;
    head.PowerMax = 32767;
    head.PowerDensityMax = -32768;
    head.PowerMin = 1.25e-7;
    head.EnergyMax = 300;
    head.EnergyMin = 2e-6;
    head.WaveMin = 0.19;
    head.WaveMax = 11.5;
    head.CoatingNo = 6;
    head.ResRVX = "10\u00B5W";
    const auto loaded = LoadHeads(Bytes({head, WideHead("second")}));
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0], head);
    EXPECT_EQ(loaded[1].Name, "second");
}

TEST(HeadLoader, KeepsTheRightRecords) {
    const std::string two = Bytes({WideHead("one"), WideHead("two")});
    const std::string one = Bytes({WideHead("one")});
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}},
        {Bytes({WideHead("one"), WideHead(""), WideHead("three")}), {"one", "three"}},  // an empty name is skipped
        {Bytes({WideHead("b"), WideHead("a"), WideHead("b")}), {"b", "a", "b"}},        // duplicates stay in order
        {two.substr(0, two.size() - 3), {"one"}},             // a truncated last record is dropped whole
        {one + "x", {"one"}},                                 // a stray byte at the end
        {one + std::string("\xFF\xFF", 2) + "abc", {"one"}},  // a length beyond the end of the file
        {Bytes({WideHead(std::string(300, 'n'))}), {std::string(300, 'n')}}};  // a text over 255 bytes
    for (const auto& [bytes, names] : cases) {
        EXPECT_EQ(Names(LoadHeads(bytes)), names) << bytes.size();
    }
}

TEST(HeadLoader, DecodesWindows1252) {
    ByteWriter writer;
    const std::string name =
        "A\xB5"
        "B\x80";
    writer.WriteU16(static_cast<std::uint16_t>(name.size()));
    writer.WriteBytes(name);
    for (int i = 0; i < 6; ++i) {
        writer.WriteU16(0);
    }
    writer.WriteBytes(std::string(42, '\0'));
    writer.WriteU16(0);
    const auto heads = LoadHeads(writer.Bytes());
    ASSERT_EQ(heads.size(), 1u);
    EXPECT_EQ(heads[0].Name, "A\u00B5B\u20AC");
}

TEST(HeadLoader, WriterRefusesTextOutsideWindows1252) {
    const auto bytes = SerializeHeads({WideHead("\u4E2D")});
    ASSERT_FALSE(bytes.Ok());
    EXPECT_NE(bytes.Failure().message.find("Name"), std::string::npos);
    EXPECT_NE(bytes.Failure().message.find("\u4E2D"), std::string::npos);
}

TEST(CoatingLoader, FillsRowsOneToTenInOrder) {
    ByteWriter writer;
    for (int k = 0; k < 120; ++k) {
        writer.WriteDouble(k);
    }
    const CoatingTable table = LoadCoatings(writer.Bytes());
    EXPECT_EQ(table.At(1, 0), 0);
    EXPECT_EQ(table.At(1, 11), 11);
    EXPECT_EQ(table.At(2, 0), 12);
    EXPECT_EQ(table.At(10, 11), 119);
    EXPECT_EQ(table.At(0, 5), 0);
    EXPECT_EQ(table.At(3, 12), 0);
    EXPECT_EQ(table.At(11, 0), 0);
    EXPECT_EQ(table.At(-1, 0), 0);
    EXPECT_EQ(SerializeCoatings(table), writer.Bytes());
    // A short file leaves the rest zero.
    const CoatingTable half = LoadCoatings(writer.Bytes().substr(0, 60 * 8) + "abc");
    EXPECT_EQ(half.At(5, 11), 59);
    EXPECT_EQ(half.At(6, 0), 0);
    EXPECT_EQ(half.At(10, 11), 0);
}

TEST(Cp1252, RoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const auto encoded = EncodeCp1252(DecodeCp1252(all));
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(*encoded, all);
    // A cut sequence, overlong forms of "5" and of "/", a surrogate, beyond Unicode.
    for (const char* malformed : {"\xC3", "\xC0\xB5", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        EXPECT_FALSE(EncodeCp1252(malformed).has_value()) << malformed;
    }
}

TEST(CatalogueCsv, QuotedFieldsRoundTrip) {
    HeadRecord head = WideHead(" lead, \"quoted\" ");
    head.ResArdo = "1, \"2\"";
    head.HeadType = "#not a comment";
    const auto parsed = ParseHeadsCsv(WriteHeadsCsv({head}));
    ASSERT_TRUE(parsed.Ok()) << parsed.Failure().message;
    ASSERT_EQ(parsed.Value().size(), 1u);
    EXPECT_EQ(parsed.Value()[0], head);
}

TEST(SyntheticCatalogue, IsRepeatableAndClean) {
    const Catalogue first = SyntheticCatalogue(500, 3);
    const Catalogue second = SyntheticCatalogue(500, 3);
    ASSERT_EQ(first.Heads.size(), 500u);
    EXPECT_EQ(first.Heads, second.Heads);
    EXPECT_EQ(first.Coatings, second.Coatings);
    EXPECT_NE(SyntheticCatalogue(500, 4).Heads, first.Heads);
    for (const auto& finding : CheckCatalogue(first)) {
        EXPECT_FALSE(finding.error) << finding.head << " " << finding.field << " " << finding.text;
    }
    EXPECT_TRUE(SerializeHeads(first.Heads).Ok());
}

}  // namespace
}  // namespace tavrin
