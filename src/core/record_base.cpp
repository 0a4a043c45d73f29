#include "core/record_base.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/host_path.h"
#include "core/record_file.h"

namespace {

// A file may name a few more fields than its layout (each is logged and asks the program to
// close); a count far beyond any layout is garbage and fails at once instead of logging
// a line per bogus field.
constexpr std::int32_t kMaxSurplusEntries = 64;

}  // namespace

cData& cData::operator=(const cData& source) {
  if (this == &source) return *this;
  RegisterFields(CurrentVersion);
  const_cast<cData&>(source).SyncVersion(CurrentVersion);
  // Offsets are relative to the owner, so the source's tables describe this record as well.
  m_Fields = source.m_Fields;
  m_Strings = source.m_Strings;
  return *this;
}

void cData::ResetFieldLists() {
  m_Fields.clear();
  m_Strings.clear();
}

void cData::AddField(void* member, int count, std::uint8_t size) {
  m_Fields.push_back(FieldDesc{static_cast<char*>(member) - Base(), count, size});
}

void cData::AddStrings(std::string* member, int /*count*/) {
  m_Strings.push_back(StrDesc{reinterpret_cast<char*>(member) - Base()});
}

std::size_t cData::FieldBytes() const {
  std::size_t total = 0;
  for (const FieldDesc& desc : m_Fields) total += static_cast<std::size_t>(desc.count) * desc.size;
  return total;
}

bool cData::ReadField(RecordReader& in, std::int32_t index) {
  if (static_cast<std::size_t>(index) < m_Fields.size()) {
    const FieldDesc& desc = m_Fields[index];
    return in.ReadElements(Base() + desc.offset, desc.size, static_cast<std::size_t>(desc.count));
  }
  if (m_Fields.empty()) return in.Fail("field in a record without fields");
  // The checked access logs the bad index and asks the program to close; the block it names
  // is read past, never into a member of the wrong size.
  const FieldDesc& first = m_Fields[index];
  return in.Skip(static_cast<std::size_t>(first.count) * first.size);
}

bool cData::Read(RecordReader& in) {
  RegisterFields(in.Version());
  std::int32_t fields = 0;
  if (!in.ReadCount(fields, 0)) return false;
  if (fields > static_cast<std::int32_t>(m_Fields.size()) + kMaxSurplusEntries) return in.Fail("field count beyond the layout");
  for (std::int32_t i = 0; i < fields; ++i) {
    if (!ReadField(in, i)) return false;
  }
  if (!ReadStrings(in)) return false;
  if (StripCRFlag) StripCR();
  if (CurrentVersion != in.Version()) RegisterFields(CurrentVersion);
  return true;
}

bool cData::ReadStrings(RecordReader& in) {
  std::int32_t strings = 0;
  if (!in.ReadCount(strings, 4)) return false;
  if (strings > static_cast<std::int32_t>(m_Strings.size()) + kMaxSurplusEntries) {
    return in.Fail("string count beyond the layout");
  }
  for (std::int32_t j = 0; j < strings; ++j) {
    if (static_cast<std::size_t>(j) < m_Strings.size()) {
      if (!in.ReadString(StringAt(m_Strings[j]))) return false;
      continue;
    }
    if (m_Strings.empty()) return in.Fail("string in a record without strings");
    (void)m_Strings[j];  // logs the bad index and asks the program to close
    std::string scratch;
    if (!in.ReadString(scratch)) return false;
  }
  return true;
}

void cData::Write(RecordWriter& out) {
  RegisterFields(CurrentVersion);
  out.WriteU32(static_cast<std::uint32_t>(m_Fields.size()));
  for (const FieldDesc& desc : m_Fields) out.WriteElements(Base() + desc.offset, desc.size, static_cast<std::size_t>(desc.count));
  WriteStrings(out);
}

void cData::WriteStrings(RecordWriter& out) {
  out.WriteU32(static_cast<std::uint32_t>(m_Strings.size()));
  for (const StrDesc& desc : m_Strings) {
    std::string& value = StringAt(desc);
    // A string is its text up to the first NUL, in the file and in memory alike.
    const std::size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    out.WriteString(value);
  }
}

void cData::Clear() {
  RegisterFields(CurrentVersion);
  for (const FieldDesc& desc : m_Fields) {
    std::fill_n(Base() + desc.offset, static_cast<std::size_t>(desc.count) * desc.size, 0);
  }
  for (const StrDesc& desc : m_Strings) StringAt(desc).clear();
}

void cData::Assign(cData& other) {
  RegisterFields(CurrentVersion);
  other.RegisterFields(CurrentVersion);
  const std::size_t fields = std::min(m_Fields.size(), other.m_Fields.size());
  for (std::size_t i = 0; i < fields; ++i) {
    const FieldDesc& desc = m_Fields[static_cast<int>(i)];
    std::copy_n(other.Base() + other.m_Fields[static_cast<int>(i)].offset, static_cast<std::size_t>(desc.count) * desc.size,
                Base() + desc.offset);
  }
  const std::size_t strings = std::min(m_Strings.size(), other.m_Strings.size());
  for (std::size_t j = 0; j < strings; ++j) {
    StringAt(m_Strings[static_cast<int>(j)]) = other.StringAt(other.m_Strings[static_cast<int>(j)]);
  }
}

void cData::StripCR() {
  for (const StrDesc& desc : m_Strings) std::erase(StringAt(desc), '\r');
}

int cData::Load(std::string_view path) {
  std::unique_ptr<RecordReader> file = DataFileOpenRead(path);
  if (!file) return 0;
  const bool ok = Read(*file);
  DataFileClose(file);
  return ok ? 1 : 0;
}

int cData::Save(std::string_view path) {
  std::unique_ptr<RecordFileWriter> file = DataFileOpenWrite(path);
  if (!file) return 0;
  Write(file->Out());
  return DataFileClose(file) ? 1 : 0;
}
