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

Status ReadMessageDatabase(std::string_view bytes, CMsgList& messages) {
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
  if (bytes.size() > totalLength)
    return Status::BadInput(
        Format("%zu bytes follow the end its header gives (byte %u)", bytes.size() - totalLength, totalLength));
  if (blocksRead != messageCount)
    return Status::BadInput(Format("the header counts %u messages, the file holds %zu", messageCount, blocksRead));
  return {};
}

Status WriteMessageDatabase(const CMsgList& messages, ByteSink& sink) {
  std::string blocks;
  for (const auto& record : messages) record->WriteBlock(blocks);
  uint64_t totalLength = kHeaderSize + uint64_t{blocks.size()};
  if (totalLength > UINT32_MAX) return Status::BadInput("the messages take more than a database file can hold");
  std::string header;
  AppendBE32(header, static_cast<uint32_t>(totalLength));
  AppendBE32(header, static_cast<uint32_t>(messages.size()));
  if (!sink.Write(header) || !sink.Write(blocks)) return Status::OsFailure("writing failed");
  return {};
}

DatabaseLoadResult LoadMessageDatabase(const std::string& path, CMsgList& messages) {
  FileContents file = ReadWholeFile(path);
  if (file.missing) return {DataFileLoadOutcome::Missing, {}};
  if (!file.status.ok()) return {DataFileLoadOutcome::Unreadable, file.status};
  CMsgList read;
  Status status = ReadMessageDatabase(file.bytes, read);
  messages = std::move(read);
  if (!status.ok()) return {DataFileLoadOutcome::Damaged, Status::BadInput(path + ": " + status.message())};
  return {DataFileLoadOutcome::Complete, {}};
}

Status SaveMessageDatabase(const std::string& path, const CMsgList& messages) {
  AtomicFileWriter writer;
  if (Status opened = writer.Open(path); !opened.ok()) return opened;
  Status written = WriteMessageDatabase(messages, writer);
  if (written.errorClass() == ErrorClass::BadInput) return Status::BadInput(path + ": " + written.message());
  // A refused write fails the commit with the system's reason, and the old file stays.
  return writer.Commit();
}
