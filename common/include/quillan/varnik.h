// Varnik: the shared routines every converter uses for its file work, field
// splitting, fixed-width formatting, workbook cells and barrier geometry.
//
// Operations are declared in the library's interface order. Arguments are
// loosely typed values; a few write results back into the caller's variables
// (format_output, check_max_min_value, initial_array_flag and the geometry
// results). Every failure is thrown as quillan::Error.
//
// File channels (1 to 511) belong to the whole process: a channel opened
// through one Varnik object can be used and closed through any other.
#pragma once

#include <string>
#include <vector>

#include "quillan/error.h"
#include "quillan/export.h"
#include "quillan/value.h"
#include "quillan/workbook.h"

namespace quillan {

class QUILLAN_EXPORT Varnik {
 public:
  // Appends every line of the file IFilePath, each with a line end, to the
  // open output channel OFileID, reading it on channel IFileID.
  void CopyAllContents(const Value& IFilePath, const Value& IFileID, const Value& OFileID);

  // Widens MaxNode/MinNode to take in a numeric inputvalue.
  void check_max_min_value(const Value& inputvalue, Value& MaxNode, Value& MinNode);

  // The double nearest to 3.14159265358979 (not the one nearest to pi).
  double GetPIValue() const;

  bool CheckEOF(const Value& IFileID);
  std::string GetLine(const Value& IFileID);
  void PrintLine(const Value& OFileID, const Value& OText, bool NextLine);

  // The folder part of a path, with its trailing separator ("\" or "/").
  std::string GetPathFromFullFilename(const Value& FullFilename);

  // io_type 0 or "Input": read; 1 or "Output": create or empty and write;
  // anything else opens nothing.
  void open_file_handler(const Value& absolute_path, const Value& io_type,
                         const Value& file_handler, bool IsBinary);
  void close_file_handler(const Value& IFileNo);
  void close_ALL_file_handler();

  // (text up to and including the separator's first character, trimmed;
  //  text after it, trimmed; empty).
  Value::List get_inputline_partition(const Value& inputline, const Value& sep);

  // One fixed-width column; see the report layout for its use. inputnum
  // receives the formatted value and emptyspace the number of blanks added.
  std::string format_output(const Value& LRalign, Value& emptyspace, const Value& decimalplace,
                            Value& inputnum, bool StringOutput);

  // Last row of the table in column 1 of a worksheet, from row `headings` on.
  long get_num_of_row_for_wksheet(const Workbook& workbkObj, const Value& SheetNum,
                                  const Value& headings);
  // First row from `headings` on whose column CC holds match_criteria; 0 when
  // an empty cell comes first.
  long get_row_for_specified_excel_cell(const Workbook& workbkObj, const Value& SheetNum,
                                        const Value& headings, const Value& CC,
                                        const Value& match_criteria);
  Value get_excel_cell(const Workbook& workbkObj, const Value& SheetNum, const Value& CR,
                       const Value& CC);

  // Shows ErrMsg when IResult equals EqualTo.
  void check_result(const Value& IResult, const Value& EqualTo, const Value& ErrMsg);

  // The non-empty pieces of inputline cut at every sep.
  std::vector<std::string> split_inputline(const Value& inputline, const Value& sep);

  void initial_array_flag(Value::List& array_name, const Value& init_value);
  bool check_array_flag_one_match(const Value::List& array_name, const Value& check_value);

  // Copies the rest of channel IFileID to OFileID character by character,
  // writing wchar for every ichar.
  void ReplaceChar(const Value& IFileID, const Value& OFileID, const Value& ichar,
                   const Value& wchar);

  // Intersection of the infinite lines P1-P2 and P3-P4, rounded to one decimal;
  // (0, 0) for parallel lines.
  void Calculate_VBAR_get_Intersection_Pt(const Value& P1, const Value& P2, const Value& P3,
                                          const Value& P4, Value& IPt);
  // P1 and P2 shifted sideways by D1 and D2 (positive: to the right looking
  // from P1 to P2).
  void Calculate_VBAR_for_2_Pts(const Value& P1, const Value& P2, const Value& D1, const Value& D2,
                                Value& R1, Value& R2);

 private:
  static std::vector<std::string> RemoveEmptyFields(const std::vector<std::string>& fields,
                                                    std::size_t count);
  static Value Calculate_VBAR_offset_Pt(double x0, double y0, double x1, double y1, double x2,
                                        double y2, double m, double D);
};

}  // namespace quillan
