#include "addressbook/AddressBookFile.h"

#include "common/ByteReader.h"
#include "common/LsbMsb.h"
#include "common/Text.h"

namespace {

void AppendCount(std::string& out, size_t count) {
  CLsbMsb value(static_cast<int>(count));
  out += static_cast<char>(value.lsb);
  out += static_cast<char>(value.msb);
}

bool HasZeroByte(const std::string& name) {
  return name.find('\0') != std::string::npos;
}

void AppendName(std::string& out, const std::string& name) {
  out += name;
  out += '\0';
}

bool ReadCount(ByteReader& reader, size_t& count) {
  std::string_view bytes;
  if (!reader.ReadBytes(2, bytes)) return false;
  count = static_cast<size_t>(CLsbMsb(static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1])).Get());
  return true;
}

bool ReadName(ByteReader& reader, std::string& name) {
  std::string_view rest = reader.rest();
  size_t end = rest.find('\0');
  if (end == std::string_view::npos) return false;
  name.assign(rest.substr(0, end));
  return reader.Skip(end + 1);
}

bool ReadMember(ByteReader& reader, CIPData& member) {
  std::string_view octets;
  if (!ReadName(reader, member.m_strName) || !reader.ReadBytes(member.m_Address.size(), octets)) return false;
  for (size_t i = 0; i < octets.size(); ++i) member.m_Address[i] = static_cast<uint8_t>(octets[i]);
  return true;
}

bool ReadEntry(ByteReader& reader, CIPGroup& entry) {
  size_t memberCount = 0;
  if (!ReadName(reader, entry.m_strName) || !ReadCount(reader, memberCount)) return false;
  entry.m_Members.clear();
  // Each member read consumes at least five bytes, so a false count cannot make this
  // loop long or allocate ahead of the data.
  for (size_t i = 0; i < memberCount; ++i) {
    CIPData member;
    if (!ReadMember(reader, member)) return false;
    entry.m_Members.push_back(std::move(member));
  }
  return true;
}

}  // namespace

Status CheckAddressBookFits(const std::vector<CIPGroup>& book) {
  if (book.size() > kMaxAddressBookCount)
    return Status::BadInput(
        Format("the address book has %zu entries; its file holds at most %zu", book.size(), kMaxAddressBookCount));
  for (const CIPGroup& entry : book) {
    if (entry.m_Members.size() > kMaxAddressBookCount)
      return Status::BadInput(Format("entry '%s' has %zu addresses; the address book file holds at most %zu per entry",
                                     entry.m_strName.c_str(), entry.m_Members.size(), kMaxAddressBookCount));
    bool zeroInName = HasZeroByte(entry.m_strName);
    for (const CIPData& member : entry.m_Members) zeroInName = zeroInName || HasZeroByte(member.m_strName);
    if (zeroInName)
      return Status::BadInput(Format("entry '%s' has a name holding a 0 byte, which the address book file cannot store",
                                     entry.m_strName.c_str()));
  }
  return {};
}

Status WriteAddressBook(const std::vector<CIPGroup>& book, ByteSink& sink) {
  if (Status fits = CheckAddressBookFits(book); !fits.ok()) return fits;
  std::string bytes;
  AppendCount(bytes, book.size());
  for (const CIPGroup& entry : book) {
    AppendName(bytes, entry.m_strName);
    AppendCount(bytes, entry.m_Members.size());
    for (const CIPData& member : entry.m_Members) {
      AppendName(bytes, member.m_strName);
      bytes.append(member.m_Address.begin(), member.m_Address.end());
    }
    if (!sink.Write(bytes)) return Status::OsFailure("writing the address book failed");
    bytes.clear();
  }
  if (!sink.Write(bytes)) return Status::OsFailure("writing the address book failed");
  return {};
}

AddressBookRead ReadAddressBook(std::string_view bytes) {
  AddressBookRead result;
  ByteReader reader(bytes);
  size_t entryCount = 0;
  if (!ReadCount(reader, entryCount)) {
    result.status =
        Status::BadInput(Format("the address book is %zu bytes long, too short for its entry count", bytes.size()));
    return result;
  }
  for (size_t i = 0; i < entryCount; ++i) {
    size_t entryStart = reader.position();
    CIPGroup entry;
    if (!ReadEntry(reader, entry)) {
      result.status = Status::BadInput(
          Format("the address book ends inside entry %zu of %zu (at byte %zu)", i + 1, entryCount, entryStart));
      return result;
    }
    result.entries.push_back(std::move(entry));
  }
  if (!reader.atEnd())
    result.status = Status::BadInput(
        Format("the address book has %zu unexpected bytes after its %zu entries", reader.remaining(), entryCount));
  return result;
}

AddressBookLoad LoadAddressBook(const std::string& path) {
  AddressBookLoad load;
  FileContents file = ReadWholeFile(path);
  if (file.missing) return load;
  if (!file.status.ok()) {
    load.outcome = DataFileLoadOutcome::Unreadable;
    load.status = file.status;
    return load;
  }
  AddressBookRead read = ReadAddressBook(file.bytes);
  load.entries = std::move(read.entries);
  if (read.status.ok()) {
    load.outcome = DataFileLoadOutcome::Complete;
  } else {
    load.outcome = DataFileLoadOutcome::Damaged;
    load.status = Status::BadInput(path + ": " + read.status.message());
  }
  return load;
}

Status SaveAddressBook(const std::string& path, const std::vector<CIPGroup>& book, const DataFileLock* heldLock) {
  if (Status fits = CheckAddressBookFits(book); !fits.ok()) return fits;
  AtomicFileWriter file;
  AtomicWriteOptions options;
  options.heldLock = heldLock;
  if (Status opened = file.Open(path, options); !opened.ok()) return opened;
  WriteAddressBook(book, file);
  // A failed write (or one past the size the reader takes) makes Commit fail with the
  // reason and drop the temporary file.
  return file.Commit();
}
