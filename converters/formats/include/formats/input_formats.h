// The input formats, one row each, in the order of the window's option
// buttons (which is also the order the convert command tests them in).
//
// Everything outside a converter's own folder that depends on the format
// reads it from here: the readiness check and the dispatch of the convert
// command, the window's option buttons and labels, the command line's
// --format names and help, drag and drop, and the tests. A new format is one
// converter folder plus one row in input_formats.cpp.
#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "job/converter.h"

namespace kalvor {

struct InputFormat {
  std::string_view option;              // option button control name, "optHFA"
  std::string_view cli_name;            // --format value, "hfanoise"
  std::string_view caption;             // option button caption, "HFANoise"
  std::string_view input_label;         // lblInput's caption, "Input file:"
  std::string_view dialog_filter;       // this format's entry of the input dialog's filter
  std::string_view default_coordinate;  // coordinate text set when the option is chosen
  bool layout_barriers;                 // whether the layout-barrier switch applies
  // File-name rules for drag and drop and format detection: extensions
  // (".mas") and name prefixes ("STRA."), both compared without case.
  std::span<const std::string_view> extensions;
  std::span<const std::string_view> name_prefixes;
  // Recognises a file by its content where its name tells nothing; may be
  // empty.
  bool (*recognises_content)(const std::filesystem::path& file);
  // What the input is called in messages: "an HFANoise file".
  std::string_view kind;
  // What the converter must find in the input before it converts: answers
  // an empty text when the input shows the format's structure, else what is
  // missing. May be empty when the converter checks this itself.
  std::string (*missing_structure)(const std::filesystem::path& input);
  // A new converter object for this format.
  std::unique_ptr<Converter> (*make_converter)();
};

// Every format, in order.
std::span<const InputFormat> input_formats();

// The row of that option control name or --format name, or nullptr.
const InputFormat* format_of_option(std::string_view option);
const InputFormat* format_named(std::string_view cli_name);

// The format a file belongs to by its name rules, then by its content, or
// nullptr when no row claims it. A folder belongs to the format whose name
// rules one of its files matches.
const InputFormat* format_of_file(const std::filesystem::path& file);

// Throws ConversionError, "model.txt does not look like an HFANoise file:
// ...", when the input lacks the structure of `format`. A well-formed model
// without records passes.
void require_structure(const InputFormat& format, const std::string& input);

// "hfanoise, hfcnoise, ..." with `last_separator` before the last name.
std::string format_names(std::string_view separator, std::string_view last_separator);

}  // namespace kalvor
