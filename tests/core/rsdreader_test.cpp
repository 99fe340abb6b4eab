// The reader's rules on handwritten files: line ends, empty lines, long lines, fields,
// payloads, the time rule and the codes for files that are not RSD files.
#include "RsdReader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "rsd_fixture.h"

namespace {

// Handwritten file text: lines as one string, '\n' between them, each written with eol;
// payloads are runs of one float value.
struct FileText {
    std::string eol = "\n";
    std::string bytes;

    FileText& operator<<(std::string_view lines) {
        for (std::size_t at = 0, end = 0; end != lines.npos; at = end + 1) {
            end = lines.find('\n', at);
            bytes.append(lines.substr(at, end - at)).append(eol);
        }
        return *this;
    }
    FileText& Floats(int count, float value) {
        for (int i = 0; i < count; ++i)
            bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    FileText& Header() {
        return *this << "HD_RSD,100\nSITE,Field\nLON,139.7\nLAT,35.6\nALT,40\nTZ,+9\nHD_RSD_END";
    }
    FileText& Calibration() {
        *this << "HD_QS400,100\nSN,S400\nC0,900\nC1,3\nCAL_BGN";
        return Floats(256, 0.5f) << "CAL_END\nHD_QS400_END";
    }
    FileText& Record(std::string_view mt, std::string_view memo = "m") {
        return *this << "DT_RSD,100\nMT," + std::string(mt) + "\nMEMO," + std::string(memo) +
                            "\nDT_RSD_END";
    }
    FileText& Block(std::string_view ss = "SS,1,2,3,4,1.5,2.5,3.5,4.5,5.5,6.5,7.5") {
        *this << "DT_QS400,100\nSN,S400\nMT,20240601120000\nET,250\n" + std::string(ss) +
                     "\nMD_BGN";
        Floats(256, 1.5f) << "MD_END\nDD_BGN";
        return Floats(256, 0.25f) << "DD_END\nDT_QS400_END";
    }
    FileText& Day() {
        Header().Calibration().Record("20240601120000", "first").Block();
        return Record("20240601121000", "second").Block();
    }
};

int Load(CRsdData& set, const std::string& bytes) {
    return set.LoadFromMemory(bytes.data(), bytes.size());
}

}  // namespace

TEST_F(RsdFileTest, NotAnRsdFileGivesBadHeader) {
    for (const char* text :
         {"\xEF\xBB\xBFHD_RSD,100\n", "\nHD_RSD,100\n", "HD_RSD\nSITE,x\n", "", "HD_RS"}) {
        CRsdData set;
        EXPECT_EQ(Load(set, text), kRsdBadHeader) << text;
    }
    CRsdData set;
    EXPECT_EQ(Load(set, "HD_RSD,100\nHD_RSD_END\n"), 0);
    EXPECT_EQ(set.m_strSite, "");
    EXPECT_EQ(set.GetCal(kQS400), nullptr);
}

TEST_F(RsdFileTest, CrLfFileReadsLikeLfFile) {
    FileText lf, crlf;
    crlf.eol = "\r\n";
    lf.Day();
    crlf.Day();
    CRsdData a, b;
    ASSERT_EQ(Load(a, lf.bytes), 2);
    ASSERT_EQ(Load(b, crlf.bytes), 2);
    EXPECT_EQ(SavedBytes(a, "a.rsd"), SavedBytes(b, "b.rsd"));
    EXPECT_EQ(b.GetAt(1).Block(kQS400)->DD[255], 0.25f);
    EXPECT_EQ(b.GetCal(kQS400)->WL[255], 900.0f + 3 * 256);  // C0 + C1 * pixel, from 1
}

TEST_F(RsdFileTest, EmptyLineEndsTheFileBetweenBlocksAndCutsABlockShort) {
    FileText between;
    between.Header().Record("20240601120000") << "";
    between.Record("20240601121000");
    CRsdData set;
    EXPECT_EQ(Load(set, between.bytes), 1);

    // Inside a block the empty line ends only that block; its remaining lines are unknown
    // at the top level and the next record is read again.
    FileText inside;
    inside.Header().Calibration().Record("20240601120000") << "DT_QS400,100\nSN,S400\n\nET,250";
    inside.Record("20240601121000").Block();
    CRsdData cut;
    ASSERT_EQ(Load(cut, inside.bytes), 2);
    EXPECT_STREQ(cut.GetAt(0).Block(kQS400)->SN, "S400");
    EXPECT_EQ(cut.GetAt(0).Block(kQS400)->ET, 0);
    EXPECT_EQ(cut.GetAt(1).Block(kQS400)->ET, 250);
}

TEST_F(RsdFileTest, LongLinesAndFieldLimits) {
    const std::string s251(251, 's');
    const std::pair<std::string, std::string> cases[] = {
        {"SITE," + s251, std::string(31, 's')},            // 256 bytes then LF; cut to 31
        {"SITE," + s251 + "TZ,+5", std::string(31, 's')},  // continues as a line
        {"SITE,a b,c", "a b"},
    };
    for (const auto& [siteLine, site] : cases) {
        FileText text;
        text << "HD_RSD,100\n" + siteLine + "\nLON,139.7\nHD_RSD_END";
        CRsdData set;
        set.m_strTZ = "+9";
        ASSERT_EQ(Load(set, text.bytes), 0);
        EXPECT_EQ(set.m_strSite, site) << siteLine;
        EXPECT_EQ(set.m_strLon, "139.7") << siteLine;
        EXPECT_EQ(set.m_strTZ, siteLine.ends_with("TZ,+5") ? "+5" : "+9");
    }

    std::string many = "SS";
    for (int i = 1; i <= 40; ++i) many.append(",").append(std::to_string(i));
    rad::RsdLineReader lines(many.data(), many.size());
    ASSERT_TRUE(lines.ReadLine());
    EXPECT_EQ(lines.FieldCount(), rad::RsdLineReader::kMaxFields);
    EXPECT_EQ(lines.Field(15), "15");
    EXPECT_EQ(lines.Field(16), "");
}

TEST_F(RsdFileTest, MemoIsCutAtACommaAndMissingValuesReadAsZero) {
    FileText text;
    text.Header().Calibration().Record("20240601120000", "cloudy, windy").Block("SS,7,,1") << "";
    CRsdData set;
    ASSERT_EQ(Load(set, text.bytes), 1);
    EXPECT_EQ(set.GetAt(0).m_strMemo, "cloudy");
    const SensorData& block = *set.GetAt(0).Block(kQS400);
    EXPECT_EQ(block.statusInt[0], 7);
    EXPECT_EQ(block.statusInt[1], 1);  // empty fields vanish
    EXPECT_EQ(block.statusInt[3], 0);
    EXPECT_EQ(block.statusFloat[6], 0.0f);

    FileText odd;
    odd.Header() << "DT_QS400,100\nET,1";  // a data block before any record is ignored
    odd.Record("20240601120000") << "DT_QS400,100\nET\nSS\nDT_QS400_END";
    CRsdData bare;
    ASSERT_EQ(Load(bare, odd.bytes), 1);
    EXPECT_EQ(bare.GetAt(0).Block(kQS400)->ET, 0);
}

TEST_F(RsdFileTest, TruncatedPayloadKeepsThePixelsThatArrived) {
    FileText text;
    text.Header().Calibration().Record("20240601120000") << "DT_QS400,100\nMD_BGN";
    text.Floats(100, 1.5f);
    text.bytes += "\x01\x02";  // half a float
    CRsdData set;
    ASSERT_EQ(Load(set, text.bytes), 1);
    const SensorData& block = *set.GetAt(0).Block(kQS400);
    EXPECT_EQ(block.MD[99], 1.5f);
    EXPECT_NE(block.MD[100], 0.0f);
    EXPECT_EQ(block.MD[101], 0.0f);
    EXPECT_TRUE(block.DD.empty());  // no payload in the file: no pixels, read as zeros

    FileText cal;
    cal.Header() << "HD_QS400,100\nC0,900\nC1,3\nCAL_BGN";
    cal.Floats(10, 2.0f);
    ASSERT_EQ(Load(set, cal.bytes), 1);
    EXPECT_EQ(set.GetCal(kQS400)->CAL[9], 2.0f);
    EXPECT_EQ(set.GetCal(kQS400)->WL[0], 0.0f);  // no end line: no wavelength table
    EXPECT_FALSE(set.HasUsableCal(kQS400));
}

TEST_F(RsdFileTest, TimeRule) {
    FileText february;
    february.Header().Record("20240230120000");
    CRsdData normalised;
    ASSERT_EQ(Load(normalised, february.bytes), 1);
    EXPECT_EQ(normalised.GetAt(0).m_time, LocalTime(2024, 3, 1, 12, 0, 0));

    for (const char* bad : {"19691231000000", "20241301000000", "20240100000000", "20240101240000",
                            "20240101006000", "20240101000060", "2024", ""}) {
        FileText text;
        text.Header().Record("20240601120000").Record(bad).Record("20240601122000");
        CRsdData set;
        EXPECT_THROW(Load(set, text.bytes), RsdInvalidDataError) << bad;
        EXPECT_EQ(set.GetCount(), 1) << bad;  // what came before stays
        EXPECT_EQ(set.m_strSite, "Field");
    }
}

// Times around both clock changes (the tests run in a zone with daylight saving time and in
// one without) read as the instants they were written from, whether their day is counted
// through from midnight or hour by hour; an hour that a change repeats has no single answer.
TEST_F(RsdFileTest, TimesAroundClockChangesReadAsTheInstantsWritten) {
    FileText text;
    text.Header();
    std::vector<int64_t> times;
    const auto hour = [](int64_t t) { return rad::FormatLocalTime(t, "%Y%m%d%H"); };
    for (const int64_t start : {LocalTime(2024, 3, 8, 0, 0, 0), LocalTime(2024, 10, 31, 0, 0, 0)}) {
        for (int64_t t = start; t < start + 5 * 86400; t += 23 * 60 + 1) {
            if (hour(t - 3600) == hour(t) || hour(t + 3600) == hour(t)) continue;
            times.push_back(t);
            text.Record(rad::FormatLocalTime(t, "%Y%m%d%H%M%S"));
        }
    }
    CRsdData set;
    ASSERT_EQ(Load(set, text.bytes), static_cast<int>(times.size()));
    for (std::size_t i = 0; i < times.size(); ++i)
        EXPECT_EQ(set.GetAt(static_cast<int>(i)).m_time, times[i]) << i;
    EXPECT_GT(times.size(), 600u);
}

// Lines, fields and payloads as a text, to compare two ways of reading the same bytes.
std::string Transcript(rad::RsdLineReader& lines) {
    std::string out;
    while (lines.ReadLine()) {
        for (int i = 0; i < lines.FieldCount(); ++i) out.append(lines.Field(i)).append("|");
        if (lines.Tag().ends_with("_BGN")) {
            float values[256] = {};
            out += std::to_string(lines.ReadFloats(values, 256)) + ":" +
                   std::to_string(values[0] + values[255]);
        }
        out += "\n";
    }
    return out;
}

TEST(RsdLineReader, SmallWindowReadsLikeMemory) {
    FileText text;
    text.Day() << "SITE," + std::string(251, 'x') + "\nTZ,+1";
    text.bytes.resize(text.bytes.size() - 3);  // ends inside the last line
    rad::RsdLineReader memory(text.bytes.data(), text.bytes.size());
    std::size_t at = 0;
    char window[2 * rad::RsdLineReader::kMaxLine];
    rad::RsdLineReader streamed(window, sizeof window, [&](char* dst, std::size_t n) {
        n = std::min({n, std::size_t{97}, text.bytes.size() - at});  // short reads on purpose
        std::memcpy(dst, text.bytes.data() + at, n);
        at += n;
        return static_cast<ssize_t>(n);
    });
    EXPECT_TRUE(streamed.StartsWith("HD_RSD,"));
    const std::string expected = Transcript(memory);
    EXPECT_EQ(Transcript(streamed), expected);
    EXPECT_NE(expected.find("1024:"), std::string::npos);
    EXPECT_FALSE(streamed.Failed());
}

TEST(RsdNumbers, NumbersReadLikeAClampedAtoiAndAtof) {
    const std::pair<const char*, int32_t> cases[] = {
        {" -7x", -7},
        {"+3", 3},
        {"abc", 0},
        {"2147483647", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(rad::ParseInt(text), value) << text;
    EXPECT_EQ(rad::ToFloat(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(rad::ToFloat(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(rad::ToFloat(rad::ParseDouble("25.5C")), 25.5f);
    // Decimal numbers as atof reads them, bit for bit, whatever path the parser takes.
    auto expectAtof = [](const char* text) {
        const double expected = std::strtod(text, nullptr), got = rad::ParseDouble(text);
        EXPECT_TRUE(std::memcmp(&expected, &got, sizeof got) == 0) << text << " " << got;
    };
    for (const char* text :
         {"25.5C", " -3.25", "+0.1", "1e",  "1e-", "2.5e3x", ".5", "-.5e-2", "0x1p4", "-0X10",
          "1e400", "-1e400", "+-5",  "- 5", "--1", "inf",    "",   "x",      "-",     "\t7"})
        expectAtof(text);
    for (const char* text :
         {"1e-400", "4.9e-324", "-Infinity", "0.30000000000000004", "9007199254740993"})
        expectAtof(text);
    EXPECT_TRUE(std::isnan(rad::ParseDouble("nan")));
}
