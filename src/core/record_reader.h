#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What later record classes consult while they read (database counts, palettes, the stage
// being read); each reading subsystem derives its own.
struct RecordContext {
  virtual ~RecordContext() = default;
};

// Reads record files from memory with one sticky error. Files travel between players, so
// nothing here trusts them: every read is bounded by the bytes left, every count is checked
// against what the rest of the file could hold before anything is built from it, and nesting
// is capped. After the first failure every read fails and the load reports it.
class RecordReader {
 public:
  static constexpr int kMaxNesting = 32;

  RecordReader(std::string bytes, std::string name);

  std::int32_t Version() const { return version_; }
  void SetVersion(std::int32_t version) { version_ = version; }
  const RecordContext* Context() const { return context_; }
  void SetContext(const RecordContext* context) { context_ = context; }

  bool ReadU32(std::uint32_t& value);
  bool ReadI32(std::int32_t& value);
  bool ReadU16(std::uint16_t& value);
  bool ReadU8(std::uint8_t& value);
  bool ReadF64(double& value);
  // count elements of `width` bytes each, little-endian in the file, into host order.
  bool ReadElements(void* destination, std::size_t width, std::size_t count);
  bool Skip(std::size_t bytes);
  // A u32 count of items that each take at least minItemBytes of the rest of the file; a
  // negative count or one the rest cannot hold fails.
  bool ReadCount(std::int32_t& count, std::size_t minItemBytes);
  // The string form: u32 length + 1, then that many bytes ending in NUL (none when it is 1).
  bool ReadString(std::string& value);

  // Records nested inside records: a guard that fails the read past kMaxNesting levels.
  class Nesting {
   public:
    explicit Nesting(RecordReader& reader);
    ~Nesting();
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;
    explicit operator bool() const { return ok_; }

   private:
    RecordReader& reader_;
    bool ok_;
  };

  bool Failed() const { return failed_; }
  bool Fail(std::string_view why);
  const std::string& Error() const { return error_; }
  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return bytes_.size() - position_; }
  bool AtEnd() const { return position_ == bytes_.size(); }
  const std::string& Bytes() const { return bytes_; }
  const std::string& Name() const { return name_; }

 private:
  bool Take(std::size_t bytes, const char*& at);

  std::string bytes_;
  std::string name_;
  std::size_t position_ = 0;
  std::int32_t version_ = 0;
  const RecordContext* context_ = nullptr;
  int depth_ = 0;
  bool failed_ = false;
  std::string error_;
};
