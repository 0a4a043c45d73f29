#pragma once

// Shared pieces of the project-record tests: a fixture that gives every test a known reading
// context, readers and writers of single records in memory, and field tables transcribed from
// the record layouts (order, width, first version, inheritance group) that fixtures are built
// from by hand, independently of the classes' own registration.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "core/close_request.h"
#include "core/record_base.h"
#include "data/data_read_context.h"
#include "support/byte_builder.h"

namespace datatest {

using testsupport::ByteBuilder;

// Every test reads and writes at version 750 against a project with 100 records in every
// database list, three sword types and no palettes (tests add them as they need them). Writes
// validate against the process-wide context, so it is the one the readers carry too.
class DataRecordTest : public testing::Test {
 protected:
  void SetUp() override {
    CurrentVersion = kRecordVersion;
    StripCRFlag = 1;
    saved_ = ProjectDataContext();
    DataReadContext fresh;
    fresh.database = DatabaseCounts{100, 100, 100, 100, 100, 100, 100, 100, 100};
    fresh.swordPartDurations = {{3, 4}, {5000, 6000}, {}};
    ProjectDataContext() = fresh;
    SetCloseRequestSink([this] { ++closeRequests_; });
  }
  void TearDown() override {
    SetCloseRequestSink(nullptr);
    ProjectDataContext() = saved_;
    // A bad index anywhere in the records' own code shows up as a close request.
    EXPECT_EQ(closeRequests_, expectedCloseRequests_);
  }

  static DataReadContext& Context() { return ProjectDataContext(); }

  // Reads one record in record form at a file version; true when it read and used every byte.
  template <typename T>
  static bool ReadAt(T& record, const std::string& bytes, std::int32_t version) {
    RecordReader in(bytes, "fixture");
    in.SetVersion(version);
    FileVersion = version;
    in.SetContext(&ProjectDataContext());
    return record.Read(in) && in.AtEnd();
  }

  template <typename T>
  static std::string WriteOf(T& record) {
    RecordWriter out;
    record.Write(out);
    return out.Bytes();
  }

  int closeRequests_ = 0;
  int expectedCloseRequests_ = 0;

 private:
  DataReadContext saved_;
};

// One registered member as the layout lists it. Elements of an array take sample, sample + 1,
// ...; the 8-byte member (the only one is a double) is stored as sample / 8.
template <typename T>
struct FieldSpec {
  const char* name;
  int width;
  int count;
  std::int32_t gate;  // the first version that carries it; 0 always
  int group;          // inheritance group; -1 never inherited
  std::int64_t sample;
  std::int64_t (*get)(const T& record, int element);
  void (*set)(T& record, int element, std::int64_t value);
};

#define KFIELD(T, member, width, gate, group, sample)                                                         \
  datatest::FieldSpec<T> {                                                                                    \
    #member, width, 1, gate, group, sample, [](const T& r, int) -> std::int64_t { return r.member; },       \
        [](T& r, int, std::int64_t v) { r.member = static_cast<std::remove_cvref_t<decltype(r.member)>>(v); } \
  }
#define KARRAY(T, member, n, width, gate, group, sample)                                                     \
  datatest::FieldSpec<T> {                                                                                   \
    #member, width, n, gate, group, sample, [](const T& r, int e) -> std::int64_t { return r.member[e]; }, \
        [](T& r, int e, std::int64_t v) { r.member[e] = static_cast<std::remove_cvref_t<decltype(r.member[0])>>(v); } \
  }
#define KDOUBLE(T, member, gate, group, sample)                                                                        \
  datatest::FieldSpec<T> {                                                                                             \
    #member, 8, 1, gate, group, sample,                                                                                \
        [](const T& r, int) -> std::int64_t { return static_cast<std::int64_t>(std::llround(r.member * 8.0)); }, \
        [](T& r, int, std::int64_t v) { r.member = static_cast<double>(v) / 8.0; }                                 \
  }

template <typename T>
using FieldTable = std::vector<FieldSpec<T>>;

template <typename T>
bool Carried(const FieldSpec<T>& field, std::int32_t version) {
  return version >= field.gate;
}

template <typename T>
int CarriedCount(const FieldTable<T>& table, std::int32_t version) {
  int count = 0;
  for (const FieldSpec<T>& field : table) count += Carried(field, version) ? 1 : 0;
  return count;
}

inline void PutValue(ByteBuilder& b, int width, std::int64_t value) {
  switch (width) {
    case 1: b.u8(static_cast<std::uint8_t>(value)); break;
    case 2: b.u16(static_cast<std::uint16_t>(value)); break;
    case 4: b.u32(static_cast<std::uint32_t>(value)); break;
    default: b.f64(static_cast<double>(value) / 8.0); break;
  }
}

// The field part of a record at a version: the count, then each carried field with its sample
// plus offset (the override, when given, replaces a field's value by name).
template <typename T>
void PutFields(ByteBuilder& b, const FieldTable<T>& table, std::int32_t version, std::int64_t offset = 0) {
  b.fields(static_cast<std::uint32_t>(CarriedCount(table, version)));
  for (const FieldSpec<T>& field : table) {
    if (!Carried(field, version)) continue;
    for (int e = 0; e < field.count; ++e) PutValue(b, field.width, field.sample + offset + e);
  }
}

// Gives every field of the table its sample plus offset, as PutFields writes them.
template <typename T>
void SetSamples(T& record, const FieldTable<T>& table, std::int64_t offset = 0) {
  for (const FieldSpec<T>& field : table) {
    for (int e = 0; e < field.count; ++e) field.set(record, e, field.sample + offset + e);
  }
}

// Every field of the table holds the same value in both records, except the ones named.
template <typename T>
void ExpectSameFields(const T& actual, const T& expected, const FieldTable<T>& table,
                      const std::vector<std::string>& except = {}) {
  for (const FieldSpec<T>& field : table) {
    if (std::find(except.begin(), except.end(), field.name) != except.end()) continue;
    for (int e = 0; e < field.count; ++e) {
      EXPECT_EQ(field.get(actual, e), field.get(expected, e)) << field.name << "[" << e << "]";
    }
  }
}

// A record part without strings' content: string count and each string.
inline void PutStrings(ByteBuilder& b, const std::vector<std::string>& strings) {
  b.strings(static_cast<std::uint32_t>(strings.size()));
  for (const std::string& s : strings) b.str(s);
}

}  // namespace datatest
