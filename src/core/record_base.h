#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/checked_sequence.h"
#include "core/record_reader.h"
#include "core/record_version.h"
#include "core/record_writer.h"

// One registered scalar member: where it lies inside its record (as an offset, so that a
// table carried over to another record of the class names that record's members, never the
// source's), how many elements it has and how wide each is.
struct FieldDesc {
  std::ptrdiff_t offset = 0;
  std::int32_t count = 0;
  std::uint8_t size = 0;
};

// One registered string member.
struct StrDesc {
  std::ptrdiff_t offset = 0;
};

// Base of every persistent record. A record class lists its members in RegisterFields for
// the version asked; the base reads and writes them through that table, so one class reads
// every layout it ever had.
class cData {
 public:
  cData() = default;
  cData(const cData& other) = default;
  cData& operator=(const cData& source);
  virtual ~cData() = default;

  virtual void SyncVersion(std::int32_t /*version*/) {}
  virtual void RegisterFields(std::int32_t /*version*/) {}
  // False when the file is broken; the record may then be partly overwritten.
  virtual bool Read(RecordReader& in);
  virtual void Write(RecordWriter& out);

  bool ReadStrings(RecordReader& in);
  void WriteStrings(RecordWriter& out);
  void Clear();
  void Assign(cData& other);
  void StripCR();

  // Reads the record file; 0 when it cannot be opened or is broken.
  int Load(std::string_view path);
  // Replaces the record file in one step; 0 when it cannot be written (the old file stays).
  int Save(std::string_view path);

  std::size_t FieldCount() const { return m_Fields.size(); }
  std::size_t StringCount() const { return m_Strings.size(); }
  // Bytes of all registered scalar members at the version registered last.
  std::size_t FieldBytes() const;

 protected:
  void ResetFieldLists();
  template <typename T>
  void AddInt(T* member, int count = 1) {
    static_assert(sizeof(T) == 4);
    AddField(member, count, 4);
  }
  template <typename T>
  void AddShort(T* member, int count = 1) {
    static_assert(sizeof(T) == 2);
    AddField(member, count, 2);
  }
  template <typename T>
  void AddByte(T* member, int count = 1) {
    static_assert(sizeof(T) == 1);
    AddField(member, count, 1);
  }
  void AddDouble(double* member, int count = 1) { AddField(member, count, 8); }
  void AddStrings(std::string* member, int count = 1);

 private:
  void AddField(void* member, int count, std::uint8_t size);
  char* Base() { return reinterpret_cast<char*>(this); }
  std::string& StringAt(const StrDesc& desc) { return *reinterpret_cast<std::string*>(Base() + desc.offset); }
  bool ReadField(RecordReader& in, std::int32_t index);

  cVector<FieldDesc> m_Fields;
  cVector<StrDesc> m_Strings;
};

// The smallest record form: a field count and a string count.
constexpr std::size_t kMinRecordBytes = 8;

// The element every list read or assignment starts from: a new record of the class, unless
// the class names other list defaults with a static ListDefault().
template <typename T>
T RecordListDefault() {
  if constexpr (requires { T::ListDefault(); }) {
    return T::ListDefault();
  } else {
    return T();
  }
}

// A u32 count, then each element in record form. The list is emptied first.
template <typename T>
bool ReadRecordList(cVector<T>& list, RecordReader& in) {
  RecordReader::Nesting nesting(in);
  std::int32_t count = 0;
  if (!nesting || !in.ReadCount(count, kMinRecordBytes)) return false;
  list.clear();
  const T element = RecordListDefault<T>();
  // Grown element by element: a count is never trusted with an allocation of its own.
  for (std::int32_t i = 0; i < count; ++i) {
    list.push_back(element);
    if (!list.back().Read(in)) return false;
  }
  return true;
}

// As ReadRecordList, but elements already present are read over in place (members the
// file's version lacks keep their values); surplus elements go, missing ones are added.
template <typename T>
bool ReadRecordListKeep(cVector<T>& list, RecordReader& in) {
  RecordReader::Nesting nesting(in);
  std::int32_t count = 0;
  if (!nesting || !in.ReadCount(count, kMinRecordBytes)) return false;
  if (list.size() > static_cast<std::size_t>(count)) list.resize(static_cast<std::size_t>(count));
  const T element = RecordListDefault<T>();
  for (std::int32_t i = 0; i < count; ++i) {
    if (static_cast<std::size_t>(i) == list.size()) list.push_back(element);
    if (!list[i].Read(in)) return false;
  }
  return true;
}

// Plain lists: a u32 count, then the elements. The count is checked against what the rest of
// the file can hold before anything is allocated.
template <typename T>
bool ReadValueList(cVector<T>& list, RecordReader& in) {
  std::int32_t count = 0;
  if (!in.ReadCount(count, sizeof(T))) return false;
  list.assign(static_cast<std::size_t>(count), T{});
  return list.empty() || in.ReadElements(list.data(), sizeof(T), list.size());
}

template <typename T>
void WriteValueList(const cVector<T>& list, RecordWriter& out) {
  out.WriteU32(static_cast<std::uint32_t>(list.size()));
  if (!list.empty()) out.WriteElements(list.data(), sizeof(T), list.size());
}

template <typename T>
void WriteRecordList(cVector<T>& list, RecordWriter& out) {
  out.WriteU32(static_cast<std::uint32_t>(list.size()));
  for (T& element : list) element.Write(out);
}

template <typename T>
void AssignRecordList(cVector<T>& destination, const cVector<T>& source) {
  if (destination.size() > source.size()) destination.resize(source.size());
  const T element = RecordListDefault<T>();
  while (destination.size() < source.size()) destination.push_back(element);
  for (std::size_t i = 0; i < source.size(); ++i) destination[static_cast<int>(i)] = source[static_cast<int>(i)];
}
