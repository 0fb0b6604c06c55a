// Opening the files a converter reads. Every failure names the file's role
// ("the HFANoise input file", "the RoadNoise flow file named in line 7 of
// SHATIN.MAS", "the workbook"), its path and why it cannot be read:
//
//   Cannot open the HFANoise input file /data/model.inp: it does not exist.
#pragma once

#include <string>
#include <string_view>

#include "quillan/varnik.h"

namespace kalvor::reading {

// Why `path` cannot be read as a file; empty when it can.
std::string why_unreadable(const std::string& path);

// Fails (ConversionError) unless `path` can be read as a file.
void require_readable(std::string_view role, const std::string& path);

// Fails unless `path` is a folder whose files can be listed.
void require_folder(std::string_view role, const std::string& path);

// Opens `path` for text input on `channel`, failing as require_readable does.
void open_input(quillan::Varnik& lib, int channel, std::string_view role, const std::string& path);

}  // namespace kalvor::reading
