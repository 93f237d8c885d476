// The message database reader over arbitrary bytes: no crash, no hang, no read past the
// input; and whatever it reads survives the writer and the reader again.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "message/MessageDatabaseFile.h"

static void Require(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CMsgList messages;
  ReadMessageDatabase(std::string_view(reinterpret_cast<const char*>(data), size), messages);

  StringSink file;
  Require(WriteMessageDatabase(messages, file).ok());
  CMsgList reread;
  Require(ReadMessageDatabase(file.data(), reread).ok());
  Require(reread.size() == messages.size());
  for (size_t i = 0; i < messages.size(); ++i) {
    // The reader takes back exactly the line written, so the record is that line parsed.
    CMsgObjDBList expected;
    expected.m_strText[0] = expected.ParseLine(messages[i]->EncodeLine(0));
    const CMsgObjDBList& actual = *reread[i];
    Require(actual.m_strText[0] == expected.m_strText[0]);
    Require(actual.Codes() == expected.Codes());
    Require(actual.m_nGroup == messages[i]->m_nGroup && actual.m_nUnit == messages[i]->m_nUnit);
    Require(actual.m_nAddressMode == messages[i]->m_nAddressMode);
  }
  return 0;
}
