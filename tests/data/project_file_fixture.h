#pragma once

// What the tests of the project files share: version 750, CR stripping, a close-request
// counter that every test expects to stay at 0 unless it says otherwise, and in-memory reads
// and writes of whole record files.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/close_request.h"
#include "core/record_base.h"
#include "core/record_reader.h"
#include "core/record_writer.h"

namespace projecttest {

class ProjectFileTest : public testing::Test {
 protected:
  void SetUp() override {
    CurrentVersion = kRecordVersion;
    StripCRFlag = 1;
    SetCloseRequestSink([this] { ++closeRequests_; });
  }
  void TearDown() override {
    SetCloseRequestSink(nullptr);
    EXPECT_EQ(closeRequests_, expectedCloseRequests_);
  }

  // Reads a whole record file (version header first) as loading does; true when it read
  // and used every byte.
  template <typename T>
  static bool ReadFile(T& record, const std::string& bytes) {
    RecordReader in(bytes, "fixture");
    std::int32_t version = 0;
    if (!in.ReadI32(version)) return false;
    in.SetVersion(version);
    FileVersion = version;
    return record.Read(in) && in.AtEnd();
  }

  // The bytes a save writes: the version header, then the record.
  template <typename T>
  static std::string WriteFile(T& record) {
    RecordWriter out;
    out.WriteI32(CurrentVersion);
    record.Write(out);
    return out.Bytes();
  }

  int closeRequests_ = 0;
  int expectedCloseRequests_ = 0;
};

}  // namespace projecttest
