#include <gtest/gtest.h>

#include "core/record_file.h"
#include "core/record_version.h"
#include "data/save_data.h"

namespace {

TEST(SaveDataFile, RoundTrip) {
  CurrentVersion = kRecordVersion;
  cSaveData save;
  const std::string bytes = RecordFileBytes(save);
  cSaveData read;
  std::unique_ptr<RecordReader> reader = RecordBytesReader(bytes, "m");
  ASSERT_TRUE(read.Read(*reader)) << reader->Error() << " at " << reader->Position();
  EXPECT_EQ(RecordFileBytes(read), bytes);
}

}  // namespace
