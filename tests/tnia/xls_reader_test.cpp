// The .xls record reader on workbooks built record by record here and
// stored in a compound file by libgsf: the record kinds a spreadsheet
// program writes, strings split across CONTINUE records, and damaged or
// encrypted files, which must fail naming the file.
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "golden.h"
#include "platform/workbook_file.h"

namespace kalvor::test {
namespace {

using platform::open_workbook;
using platform::WorkbookError;
using quillan::Value;

std::string u8(int v) {
  return std::string(1, static_cast<char>(v));
}
std::string u16(int v) {
  return u8(v & 0xFF) + u8((v >> 8) & 0xFF);
}
std::string u32(std::uint32_t v) {
  return u16(v & 0xFFFF) + u16(v >> 16);
}
std::string f64(double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  return u32(static_cast<std::uint32_t>(bits)) + u32(static_cast<std::uint32_t>(bits >> 32));
}
std::string record(int type, const std::string& body) {
  return u16(type) + u16(static_cast<int>(body.size())) + body;
}
std::string cell(int row, int column) {
  return u16(row - 1) + u16(column - 1) + u16(15);
}
// An XLUnicodeString of 8-bit characters.
std::string narrow_string(const std::string& text) {
  return u16(static_cast<int>(text.size())) + u8(0) + text;
}

std::string bof(int kind) {
  return record(0x0809, u16(0x0600) + u16(kind) + std::string(12, '\0'));
}
std::string eof() {
  return record(0x000A, "");
}

struct TestSheet {
  std::string name;
  std::string records;  // between BOF and EOF
  int kind = 0;         // BOUNDSHEET8: 0 worksheet, 2 chart
  int substream = 0x0010;
};

// A Workbook stream: globals (with `globals` after the BOF), then the
// sheets' substreams, each BOUNDSHEET8 pointing at its substream.
std::string workbook_stream(const std::string& globals, const std::vector<TestSheet>& sheets) {
  const auto bound_sheet = [](std::uint32_t offset, const TestSheet& s) {
    return record(0x0085, u32(offset) + u8(0) + u8(s.kind) + u8(static_cast<int>(s.name.size())) +
                              u8(0) + s.name);
  };
  std::size_t offset = bof(5).size() + globals.size() + eof().size();
  for (const TestSheet& s : sheets) offset += bound_sheet(0, s).size();
  std::string head = bof(5) + globals;
  std::string body;
  for (const TestSheet& s : sheets) {
    head += bound_sheet(static_cast<std::uint32_t>(offset + body.size()), s);
    body += bof(s.substream) + s.records + eof();
  }
  return head + eof() + body;
}

void write_compound_file(const std::filesystem::path& path, const std::string& stream_name,
                         const std::string& bytes) {
  gsf_init();
  GsfOutput* file = gsf_output_stdio_new(path.string().c_str(), nullptr);
  ASSERT_NE(nullptr, file);
  GsfOutfile* ole = gsf_outfile_msole_new(file);
  GsfOutput* stream = gsf_outfile_new_child(ole, stream_name.c_str(), FALSE);
  gsf_output_write(stream, bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
  gsf_output_close(stream);
  g_object_unref(stream);
  gsf_output_close(GSF_OUTPUT(ole));
  g_object_unref(ole);
  g_object_unref(file);
}

class XlsRecords : public ::testing::Test {
 protected:
  std::unique_ptr<quillan::Workbook> open(const std::string& stream) {
    write_compound_file(dir / "book.xls", "Workbook", stream);
    return open_workbook((dir / "book.xls").string());
  }
  std::string error_of(const std::string& stream, const std::string& name = "Workbook") {
    write_compound_file(dir / "bad.xls", name, stream);
    try {
      open_workbook((dir / "bad.xls").string());
    } catch (const WorkbookError& e) {
      EXPECT_NE(std::string::npos, std::string(e.what()).find("bad.xls")) << e.what();
      return e.what();
    }
    return "no error";
  }
  ScratchDir dir;
};

TEST_F(XlsRecords, ReadsEveryKindOfCellRecord) {
  const std::string cells =
      record(0x0203, cell(1, 1) + f64(-0.25)) +                        // NUMBER
      record(0x027E, cell(1, 2) + u32((12345u << 2) | 0x02 | 0x01)) +  // RK: integer / 100
      record(0x027E, cell(1, 3) + u32(0x3FF80000u)) +                  // RK: the double 1.5
      record(0x00BD, u16(1) + u16(3) + u16(15) + u32(7u << 2 | 2) + u16(15) +
                         u32(static_cast<std::uint32_t>(-3) << 2 | 2) + u16(4)) +  // MULRK D2:E2
      record(0x0204, cell(3, 1) + narrow_string("label")) +                        // LABEL
      record(0x00D6, cell(3, 2) + narrow_string("rich") + u16(0)) +                // RSTRING
      record(0x0205, cell(4, 1) + u8(1) + u8(0)) +                                 // BOOLERR TRUE
      record(0x0205, cell(4, 2) + u8(0) + u8(0)) +                                 // FALSE
      record(0x0205, cell(4, 3) + u8(0x07) + u8(1)) +                              // #DIV/0!
      record(0x0201, cell(4, 4)) +                                                 // BLANK
      record(0x00BE, u16(4) + u16(4) + u16(15) + u16(15) + u16(5));                // MULBLANK
  const auto book = open(workbook_stream("", {{"Cells", cells}}));
  EXPECT_EQ(-0.25, book->cell(1, 1, 1).number());
  EXPECT_EQ(123.45, book->cell(1, 1, 2).number());
  EXPECT_EQ(1.5, book->cell(1, 1, 3).number());
  EXPECT_EQ(7, book->cell(1, 2, 4).number());
  EXPECT_EQ(-3, book->cell(1, 2, 5).number());
  EXPECT_EQ("label", book->cell(1, 3, 1).text());
  EXPECT_EQ("rich", book->cell(1, 3, 2).text());
  EXPECT_TRUE(book->cell(1, 4, 1).boolean());
  EXPECT_EQ("False", book->cell(1, 4, 2).to_text());
  EXPECT_EQ("#DIV/0!", book->cell(1, 4, 3).text());
  EXPECT_TRUE(book->cell(1, 4, 4).is_empty());
  EXPECT_TRUE(book->cell(1, 4, 5).is_empty());
}

// The 8 bytes of a FORMULA record's cached result that are no number.
std::string special_result(int kind, int value = 0) {
  return u8(kind) + u8(0) + u8(value) + u8(0) + u8(0) + u8(0) + u8(0xFF) + u8(0xFF);
}
std::string formula(int row, int column, const std::string& result) {
  return record(0x0006, cell(row, column) + result + u16(0) + u32(0) + u16(3) + "\x1e\x01\x00");
}

TEST_F(XlsRecords, FormulasGiveTheirCachedResults) {
  const std::string cells =
      formula(1, 1, f64(12.5)) + formula(1, 2, special_result(0)) +
      record(0x04BC, std::string(10, '\0')) +  // a shared formula between FORMULA and STRING
      record(0x0207, narrow_string("R7")) + formula(1, 3, special_result(1, 1)) +
      formula(1, 4, special_result(2, 0x2A)) + formula(1, 5, special_result(3));
  const auto book = open(workbook_stream("", {{"F", cells}}));
  EXPECT_EQ(12.5, book->cell(1, 1, 1).number());
  EXPECT_EQ("R7", book->cell(1, 1, 2).text());
  EXPECT_TRUE(book->cell(1, 1, 3).boolean());
  EXPECT_EQ("#N/A", book->cell(1, 1, 4).text());
  EXPECT_TRUE(book->cell(1, 1, 5).is_text());
  EXPECT_TRUE(book->cell(1, 1, 5).loosely_equals(Value("")));
}

TEST_F(XlsRecords, SharedStringsRunOnAcrossContinueRecords) {
  // String 0: "abc" + 2 rich-text runs + a 3-byte phonetic block, all in
  // the SST record. String 1: "Hello" in 8-bit characters, split after
  // "Hel"; the CONTINUE starts with a fresh flags byte saying the rest is
  // 16-bit. String 2 starts in the CONTINUE.
  const std::string sst =
      record(0x00FC, u32(3) + u32(3) + u16(3) + u8(0x0C) + u16(2) + u32(3) + "abc" +
                         std::string(8, 'r') + "ppp" + u16(5) + u8(0) + "Hel") +
      record(0x003C, u8(1) + std::string("l\0o\0", 4) + u16(1) + u8(0) + "z");
  const std::string cells = record(0x00FD, cell(1, 1) + u32(0)) +
                            record(0x00FD, cell(1, 2) + u32(1)) +
                            record(0x00FD, cell(1, 3) + u32(2));
  const auto book = open(workbook_stream(sst, {{"S", cells}}));
  EXPECT_EQ("abc", book->cell(1, 1, 1).text());
  EXPECT_EQ("Hello", book->cell(1, 1, 2).text());
  EXPECT_EQ("z", book->cell(1, 1, 3).text());
}

TEST_F(XlsRecords, TakesWorksheetsInOrderAndPassesOverChartsAndDialogs) {
  const std::string nested_chart = bof(0x0020) + record(0x0203, cell(9, 9) + f64(1)) + eof();
  const auto book = open(workbook_stream(
      "", {{"One", record(0x0203, cell(1, 1) + f64(1)) + nested_chart},
           {"Chart", "", 2, 0x0020},
           {"Dialog", record(0x0081, u16(0x0010)) + record(0x0203, cell(1, 1) + f64(9))},
           {"Two", record(0x0203, cell(2, 2) + f64(2))},
           {"Empty", ""}}));
  ASSERT_EQ(3, book->sheet_count());
  EXPECT_EQ(1, book->cell(Value("one"), 1, 1).number());
  EXPECT_TRUE(book->cell(1, 9, 9).is_empty());
  EXPECT_EQ(2, book->cell(2, 2, 2).number());
  EXPECT_TRUE(book->cell(Value("Empty"), 1, 1).is_empty());
}

TEST_F(XlsRecords, EightBitTextsFollowTheCodePage) {
  const std::string label = record(0x0204, cell(1, 1) + narrow_string("Caf\xE9 \x96"));
  const auto windows = open(workbook_stream(record(0x0042, u16(1252)), {{"W", label}}));
  EXPECT_EQ("Caf\xE9 \x96", windows->cell(1, 1, 1).text());
  // Code page 1200: 8-bit characters are the low bytes of UTF-16, so 0x96
  // is a control character that Windows-1252 cannot hold.
  const auto unicode = open(workbook_stream(record(0x0042, u16(1200)), {{"U", label}}));
  EXPECT_EQ("Caf\xE9 ?", unicode->cell(1, 1, 1).text());
}

TEST_F(XlsRecords, DamagedWorkbooksFailNamingTheFile) {
  const std::string number = record(0x0203, cell(1, 1) + f64(1));
  EXPECT_NE(std::string::npos,
            error_of(workbook_stream("", {{"S", number.substr(0, number.size() - 3)}}))
                .find("is damaged"));
  // A record length that points past the end of the stream.
  EXPECT_NE(std::string::npos,
            error_of(bof(5) + u16(0x0085) + u16(400) + "short").find("past the end"));
  EXPECT_NE(std::string::npos,
            error_of(workbook_stream("", {{"S", record(0x00FD, cell(1, 1) + u32(0))}}))
                .find("shared string 0"));
  EXPECT_NE(std::string::npos,
            error_of(workbook_stream("", {{"S", formula(2, 3, special_result(0))}}))
                .find("formula in row 2, column 3"));
  EXPECT_NE(std::string::npos,
            error_of(workbook_stream("", {{"S", record(0x00BD, u16(0) + u16(0) + u16(15))}}))
                .find("MULRK"));
  EXPECT_NE(std::string::npos, error_of(bof(5) + eof().substr(0, 2)).find("is damaged"));
  // An SST whose string runs past its CONTINUE records.
  EXPECT_NE(std::string::npos,
            error_of(workbook_stream(record(0x00FC, u32(1) + u32(1) + u16(9) + u8(0) + "ab"), {}))
                .find("cut short"));
}

TEST_F(XlsRecords, EncryptedOldAndForeignWorkbooksAreRefused) {
  EXPECT_NE(std::string::npos,
            error_of(workbook_stream(record(0x002F, u16(1) + std::string(52, '\0')), {}))
                .find("encrypted"));
  EXPECT_NE(std::string::npos, error_of(workbook_stream("", {}), "Book").find("Excel 5.0/95"));
  EXPECT_NE(std::string::npos, error_of("", "Contents").find("holds no workbook"));
  EXPECT_NE(std::string::npos,
            error_of(record(0x0809, u16(0x0500) + u16(5))).find("not an Excel 97-2003"));
}

}  // namespace
}  // namespace kalvor::test
