// .xls through FreeXL. FreeXL is a C library that trusts the lengths it
// finds in the file; some damaged files make it read past its buffers. So it
// runs in a child process that streams the cells to this one through a pipe:
// whatever happens to the child, the program gets either the cells or a
// clear refusal.
#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "memory_workbook.h"
#include "readers.h"

namespace kalvor::platform::detail {

namespace {

// A child that sends nothing for this long is taken to be stuck.
constexpr int kSilenceLimitMs = 60'000;

// --- the child: FreeXL to a stream of records -----------------------------
//
// 'S' u32 length, name          a new worksheet
// 'N' i64 row, i64 column, f64  a number (rows and columns from 1)
// 'T' i64 row, i64 column, u32 length, text (UTF-8)
// 'X' u32 length, message       the file cannot be read
// 'Z'                           the end of a complete workbook

std::string freexl_problem(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND:
      return "the file cannot be opened for reading";
    case FREEXL_INSUFFICIENT_MEMORY:
      return "there is not enough memory to read it";
    case FREEXL_INVALID_CHARACTER:
    case FREEXL_UNSUPPORTED_CHARSET:
      return "it holds text in a character set that cannot be read";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
      return "the compound file holds no workbook";
    case FREEXL_BIFF_INVALID_BOF:
      return "it is not an Excel 97-2003 (BIFF8) workbook";
    default:
      return "it is damaged or not an Excel 97-2003 workbook (FreeXL error " +
             std::to_string(code) + ")";
  }
}

class Stream {
 public:
  explicit Stream(int fd) : fd_(fd) {}
  ~Stream() { flush(); }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  template <typename T>
  void put(const T& value) {
    buffer_.append(reinterpret_cast<const char*>(&value), sizeof value);
    if (buffer_.size() >= 64 * 1024) flush();
  }
  void put_text(std::string_view text) {
    put(static_cast<std::uint32_t>(text.size()));
    buffer_.append(text);
  }
  void flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
      const ssize_t wrote = write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) _exit(3);
      done += static_cast<std::size_t>(wrote);
    }
    buffer_.clear();
  }

 private:
  int fd_;
  std::string buffer_;
};

struct FreexlFailure {
  int code;
};

void check(int code) {
  if (code != FREEXL_OK) throw FreexlFailure{code};
}

class Handle {
 public:
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_) freexl_close(handle_);
  }
  const void** address() { return &handle_; }
  const void* get() const { return handle_; }

 private:
  const void* handle_ = nullptr;
};

void stream_cell(const void* xls, unsigned int row, unsigned short column, Stream& out) {
  FreeXL_CellValue value;
  check(freexl_get_cell_value(xls, row, column, &value));
  const std::int64_t r = static_cast<std::int64_t>(row) + 1;
  const std::int64_t c = static_cast<std::int64_t>(column) + 1;
  switch (value.type) {
    case FREEXL_CELL_INT:
    case FREEXL_CELL_DOUBLE:
      out.put('N');
      out.put(r);
      out.put(c);
      out.put(value.type == FREEXL_CELL_INT ? static_cast<double>(value.value.int_value)
                                            : value.value.double_value);
      break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      if (!value.value.text_value) break;
      out.put('T');
      out.put(r);
      out.put(c);
      out.put_text(value.value.text_value);
      break;
    default:
      break;
  }
}

void stream_sheet(const void* xls, unsigned short index, Stream& out) {
  const char* name = nullptr;
  check(freexl_get_worksheet_name(xls, index, &name));
  out.put('S');
  out.put_text(name ? name : "");
  check(freexl_select_active_worksheet(xls, index));
  unsigned int rows = 0;
  unsigned short columns = 0;
  check(freexl_worksheet_dimensions(xls, &rows, &columns));
  for (unsigned int row = 0; row < rows; ++row)
    for (unsigned short column = 0; column < columns; ++column) stream_cell(xls, row, column, out);
}

void stream_workbook(const std::string& path, Stream& out) {
  try {
    Handle xls;
    check(freexl_open(path.c_str(), xls.address()));
    unsigned int protection = 0;
    check(freexl_get_info(xls.get(), FREEXL_BIFF_PASSWORD, &protection));
    if (protection == FREEXL_BIFF_OBFUSCATED) {
      out.put('X');
      out.put_text("it is protected by a password");
      return;
    }
    unsigned int sheet_count = 0;
    check(freexl_get_info(xls.get(), FREEXL_BIFF_SHEET_COUNT, &sheet_count));
    for (unsigned int index = 0; index < sheet_count && index <= 0xFFFF; ++index)
      stream_sheet(xls.get(), static_cast<unsigned short>(index), out);
    out.put('Z');
  } catch (const FreexlFailure& failure) {
    out.put('X');
    out.put_text(freexl_problem(failure.code));
  } catch (...) {
    out.put('X');
    out.put_text("there is not enough memory to read it");
  }
}

// --- the parent: the stream back into a workbook --------------------------

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  bool at_end() const { return position_ == bytes_.size(); }
  template <typename T>
  T get() {
    T value;
    need(sizeof value);
    std::memcpy(&value, bytes_.data() + position_, sizeof value);
    position_ += sizeof value;
    return value;
  }
  std::string get_text() {
    const auto length = get<std::uint32_t>();
    need(length);
    std::string text = bytes_.substr(position_, length);
    position_ += length;
    return text;
  }

 private:
  void need(std::size_t size) const {
    if (bytes_.size() - position_ < size) throw ReadFailure("its reader stopped on damaged data");
  }
  const std::string& bytes_;
  std::size_t position_ = 0;
};

std::unique_ptr<quillan::Workbook> rebuild(const std::string& bytes) {
  Reader in(bytes);
  WorkbookBuilder workbook;
  while (!in.at_end()) {
    const char tag = in.get<char>();
    if (tag == 'Z') return workbook.finish();
    if (tag == 'X') throw ReadFailure(in.get_text());
    if (tag == 'S') {
      workbook.add_sheet(in.get_text());
      continue;
    }
    const auto row = in.get<std::int64_t>();
    const auto column = in.get<std::int64_t>();
    if (tag == 'N')
      workbook.set_number(static_cast<long>(row), static_cast<long>(column), in.get<double>());
    else
      workbook.set_text(static_cast<long>(row), static_cast<long>(column), in.get_text());
  }
  throw ReadFailure("its reader stopped on damaged data");
}

// The child process: killed and waited for unless it has been waited for.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    wait();
  }
  void wait() {
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
  }

 private:
  pid_t pid_;
};

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { reset(); }
  int get() const { return fd_; }
  void reset() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

std::string read_all(int fd) {
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    pollfd ready{fd, POLLIN, 0};
    const int polled = poll(&ready, 1, kSilenceLimitMs);
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) throw ReadFailure("its reader stopped responding");
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

std::unique_ptr<quillan::Workbook> read_xls(const std::string& path) {
  int ends[2];
  if (pipe(ends) != 0) throw ReadFailure("no pipe to its reader can be made");
  Fd from_child(ends[0]);
  Fd to_parent(ends[1]);
  const pid_t pid = fork();
  if (pid < 0) throw ReadFailure("its reader cannot be started");
  if (pid == 0) {
    from_child.reset();
    {
      Stream out(to_parent.get());
      stream_workbook(path, out);
    }
    _exit(0);
  }
  Child child(pid);
  to_parent.reset();
  const std::string bytes = read_all(from_child.get());
  child.wait();
  return rebuild(bytes);
}

}  // namespace kalvor::platform::detail
