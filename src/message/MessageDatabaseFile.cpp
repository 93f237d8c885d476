#include "message/MessageDatabaseFile.h"

#include <cstdint>
#include <utility>

#include "common/ByteReader.h"
#include "common/Text.h"

namespace {

constexpr uint32_t kHeaderSize = 8;

void AppendBE32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

Status ReadMessageDatabase(std::string_view bytes, CMsgList& messages, std::string* note) {
  ByteReader reader(bytes);
  uint32_t totalLength = 0;
  uint32_t messageCount = 0;
  if (!reader.ReadBE32(totalLength) || !reader.ReadBE32(messageCount))
    return Status::BadInput(Format("the %zu-byte file is too short for its header", bytes.size()));
  if (totalLength < kHeaderSize)
    return Status::BadInput(Format("the header's total length %u is shorter than the header", totalLength));

  ByteReader blocks(bytes.substr(0, totalLength));
  blocks.Skip(kHeaderSize);
  size_t blocksRead = 0;
  while (!blocks.atEnd()) {
    auto record = std::make_unique<CMsgObjDBList>();
    if (Status status = record->ReadBlock(blocks); !status.ok()) return status;
    messages.push_back(std::move(record));
    ++blocksRead;
  }
  if (bytes.size() < totalLength)
    return Status::BadInput(Format("the file ends at byte %zu, its header says %u", bytes.size(), totalLength));
  // The count is only written, and the total length says where reading stops: neither
  // disagreement loses a message.
  if (note && bytes.size() > totalLength)
    *note = Format("%zu bytes after the end its header gives (byte %u) were not read", bytes.size() - totalLength,
                   totalLength);
  else if (note && blocksRead != messageCount)
    *note = Format("the header counts %u messages, the file holds %zu", messageCount, blocksRead);
  return {};
}

Status WriteMessageDatabase(const CMsgList& messages, ByteSink& sink) {
  std::string blocks;
  for (const auto& record : messages) record->WriteBlock(blocks);
  uint64_t totalLength = kHeaderSize + uint64_t{blocks.size()};
  if (totalLength > kMaxDataFileBytes)
    return Status::BadInput(Format("the messages would take %llu bytes, more than the %zu a database file may have",
                                   static_cast<unsigned long long>(totalLength), kMaxDataFileBytes));
  std::string header;
  AppendBE32(header, static_cast<uint32_t>(totalLength));
  AppendBE32(header, static_cast<uint32_t>(messages.size()));
  if (!sink.Write(header) || !sink.Write(blocks)) return Status::OsFailure("writing failed");
  return {};
}

DatabaseLoadResult LoadMessageDatabase(const std::string& path, CMsgList& messages) {
  FileContents file = ReadWholeFile(path);
  if (file.missing) return {DataFileLoadOutcome::Missing, {}, {}};
  if (!file.status.ok()) return {DataFileLoadOutcome::Unreadable, file.status, {}};
  CMsgList read;
  std::string note;
  Status status = ReadMessageDatabase(file.bytes, read, &note);
  messages = std::move(read);
  if (!status.ok()) return {DataFileLoadOutcome::Damaged, Status::BadInput(path + ": " + status.message()), {}};
  return {DataFileLoadOutcome::Complete, {}, note.empty() ? note : path + ": " + note};
}

Status SaveMessageDatabase(const std::string& path, const CMsgList& messages, const DataFileLock* heldLock) {
  AtomicFileWriter writer;
  AtomicWriteOptions options;
  options.heldLock = heldLock;
  if (Status opened = writer.Open(path, options); !opened.ok()) return opened;
  Status written = WriteMessageDatabase(messages, writer);
  if (written.errorClass() == ErrorClass::BadInput) return Status::BadInput(path + ": " + written.message());
  // A refused write fails the commit with the system's reason, and the old file stays.
  return writer.Commit();
}
