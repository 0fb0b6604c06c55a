#include "platform/workbook_file.h"

#include <array>
#include <fstream>

#include "memory_workbook.h"
#include "platform/files.h"
#include "readers.h"

namespace kalvor::platform {

namespace {

enum class Container { CompoundFile, ZipPackage, Unknown };

constexpr std::array<unsigned char, 8> kCompoundFileSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                                 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::array<unsigned char, 2> kZipSignature = {'P', 'K'};

template <std::size_t N>
bool starts_with(const std::string& bytes, const std::array<unsigned char, N>& signature) {
  if (bytes.size() < N) return false;
  for (std::size_t i = 0; i < N; ++i)
    if (static_cast<unsigned char>(bytes[i]) != signature[i]) return false;
  return true;
}

Container container_of(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw WorkbookError("The workbook " + path + " cannot be opened for reading.");
  std::string head(8, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  if (starts_with(head, kCompoundFileSignature)) return Container::CompoundFile;
  if (starts_with(head, kZipSignature)) return Container::ZipPackage;
  return Container::Unknown;
}

}  // namespace

std::unique_ptr<quillan::Workbook> open_workbook(const std::string& path) {
  if (!file_exists(path)) throw WorkbookError("The workbook " + path + " does not exist.");
  const Container container = container_of(path);
  if (container == Container::Unknown)
    throw WorkbookError("The file " + path +
                        " is not a workbook: expected an Excel workbook (.xls or .xlsx).");
  try {
    return container == Container::CompoundFile ? detail::read_xls(path) : detail::read_xlsx(path);
  } catch (const detail::ReadFailure& failure) {
    throw WorkbookError("The workbook " + path + " cannot be read: " + failure.what() + ".");
  } catch (const std::bad_alloc&) {
    throw WorkbookError("The workbook " + path + " cannot be read: it is too large.");
  }
}

}  // namespace kalvor::platform
