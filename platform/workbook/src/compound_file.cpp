#include "compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-utils.h>

#include <memory>

#include "memory_workbook.h"
#include "quillan/text.h"

namespace kalvor::platform::detail {

namespace {

struct Unref {
  void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GsfPtr = std::unique_ptr<T, Unref>;

void drop_message(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

constexpr auto kQuietLevels =
    static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE |
                                G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG);

// libgsf complains on standard error about each flaw of a damaged compound
// file; the reader reports the failure itself, once, naming the file.
void initialise_gsf() {
  static const bool done = [] {
    gsf_init();
    for (const char* domain : {"libgsf", "libgsf:msole"})
      g_log_set_handler(domain, kQuietLevels, drop_message, nullptr);
    return true;
  }();
  (void)done;
}

// Some of libgsf's complaints about a damaged file carry no log domain. They
// are dropped only while libgsf reads, so that no other library's warnings
// are lost.
class QuietUnnamedDomain {
 public:
  QuietUnnamedDomain() : id_(g_log_set_handler(nullptr, kQuietLevels, drop_message, nullptr)) {}
  ~QuietUnnamedDomain() { g_log_remove_handler(nullptr, id_); }
  QuietUnnamedDomain(const QuietUnnamedDomain&) = delete;
  QuietUnnamedDomain& operator=(const QuietUnnamedDomain&) = delete;

 private:
  guint id_;
};

// Stream names in a compound file compare without regard to letter case.
bool has_name(GsfInfile* directory, int index, const char* wanted) {
  const char* name = gsf_infile_name_by_index(directory, index);
  return name && quillan::to_upper(name) == quillan::to_upper(wanted);
}

int child_named(GsfInfile* directory, const char* wanted) {
  const int count = gsf_infile_num_children(directory);
  for (int i = 0; i < count; ++i)
    if (has_name(directory, i, wanted)) return i;
  return -1;
}

GsfPtr<GsfInfile> open_directory(std::string_view file) {
  GsfPtr<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()),
                                              static_cast<gsf_off_t>(file.size()), FALSE));
  if (!input) throw ReadFailure("there is not enough memory to read it");
  GError* error = nullptr;
  GsfPtr<GsfInfile> directory(gsf_infile_msole_new(input.get(), &error));
  if (error) g_error_free(error);
  if (!directory) throw ReadFailure("it is damaged: its compound-file structure cannot be read");
  return directory;
}

}  // namespace

std::string workbook_stream(std::string_view file) {
  initialise_gsf();
  const QuietUnnamedDomain quiet;
  const GsfPtr<GsfInfile> directory = open_directory(file);
  const int index = child_named(directory.get(), "Workbook");
  if (index < 0) {
    if (child_named(directory.get(), "Book") >= 0)
      throw ReadFailure(
          "it is an Excel 5.0/95 workbook, which is not read; save it as Excel 97-2003 or .xlsx");
    throw ReadFailure("the compound file holds no workbook");
  }
  const GsfPtr<GsfInput> stream(gsf_infile_child_by_index(directory.get(), index));
  if (!stream) throw ReadFailure("it is damaged: its workbook stream cannot be opened");
  const gsf_off_t size = gsf_input_size(stream.get());
  // A stream cannot hold more than the file it lies in.
  if (size <= 0 || static_cast<std::size_t>(size) > file.size())
    throw ReadFailure("it is damaged: its workbook stream has an impossible size");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!gsf_input_read(stream.get(), bytes.size(), reinterpret_cast<guint8*>(bytes.data())))
    throw ReadFailure("it is damaged: its workbook stream cannot be read to its end");
  return bytes;
}

}  // namespace kalvor::platform::detail

// libgsf 1.14 leaks a directory entry of some damaged compound files that it
// refuses. Those bytes are libgsf's to free, and GLib is used by nothing
// else here that keeps memory, so sanitizer builds tell LeakSanitizer to
// pass over allocations made through libgsf and GLib (whose frames the fast
// unwinder often cannot see past).
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KALVOR_LEAK_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KALVOR_LEAK_CHECKED 1
#endif
#ifdef KALVOR_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libgsf-1.so\nleak:libglib-2.0.so\n";
}
#endif
