// Loading and saving a 100,000-message database (40 characters each, mixed attributes)
// against reading and writing the same bytes raw in the same run. Goal: load and save
// each within 10 times their raw counterpart.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "common/FileIO.h"
#include "message/CurrentMessage.h"
#include "message/InlineCodes.h"
#include "message/MessageDatabaseFile.h"

namespace {

constexpr int kMessages = 100000;
constexpr int kCharacters = 40;

CMsgList MakeMessages() {
  static constexpr COLORREF kColors[] = {kColorRed, kColorGreen, kColorYellow};
  std::mt19937 random(1);
  auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  CMsgList messages;
  messages.reserve(kMessages);
  for (int n = 0; n < kMessages; ++n) {
    std::vector<LINE1_PROP> lines(static_cast<size_t>(between(1, 2)));
    CHAR_PROP running;
    for (int i = 0; i < kCharacters; ++i) {
      // Attributes change every few characters, as in a composed message.
      if (between(0, 3) == 0) running = {between(1, 4), 0, kColors[between(0, 2)], between(0, 1)};
      running.character = between('A', 'Z');
      lines[static_cast<size_t>(i * static_cast<int>(lines.size()) / kCharacters)].push_back(running);
    }
    CMsgSettings settings;
    settings.m_nAddressMode = between(0, 3);
    settings.m_nPosition = between(0, 2);
    settings.m_nLine = between(1, 8);
    settings.m_nColumn = between(1, 40);
    settings.m_bClearLine = between(0, 1) == 1;
    settings.m_nEffect = between(0, 4);
    settings.m_nResetMode = between(0, 4);
    settings.m_nFlashMode = between(0, 2);
    messages.push_back(std::make_unique<CMsgObjDBList>(
        MakeRecordFromCurrentMessage(settings, between(0, 2), between(0, 8), EncodeInlineText(lines))));
  }
  return messages;
}

struct Database {
  std::filesystem::path dir;
  std::string path;
  std::string savePath;
  CMsgList messages;
  std::string bytes;

  Database() : dir(std::filesystem::temp_directory_path() / "marquee_bench_message_database") {
    std::filesystem::create_directories(dir);
    path = (dir / "load.nmd").string();
    savePath = (dir / "save.nmd").string();
    messages = MakeMessages();
    StringSink sink;
    WriteMessageDatabase(messages, sink);
    bytes = sink.data();
    AtomicFileWriter writer;
    if (!writer.Open(path).ok() || !writer.Write(bytes) || !writer.Commit().ok()) std::abort();
  }
  ~Database() { std::filesystem::remove_all(dir); }
};

Database& TheDatabase() {
  static Database database;
  return database;
}

void BM_LoadDatabase(benchmark::State& state) {
  Database& db = TheDatabase();
  for (auto _ : state) {
    CMsgList messages;
    if (LoadMessageDatabase(db.path, messages).outcome != DataFileLoadOutcome::Complete) state.SkipWithError("load");
    benchmark::DoNotOptimize(messages.data());
    state.PauseTiming();  // freeing the list is not part of loading it
    messages.clear();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(db.bytes.size()));
}

void BM_ReadRaw(benchmark::State& state) {
  Database& db = TheDatabase();
  for (auto _ : state) {
    FileContents file = ReadWholeFile(db.path);
    benchmark::DoNotOptimize(file.bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(db.bytes.size()));
}

void BM_SaveDatabase(benchmark::State& state) {
  Database& db = TheDatabase();
  for (auto _ : state)
    if (!SaveMessageDatabase(db.savePath, db.messages).ok()) state.SkipWithError("save");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(db.bytes.size()));
}

// The same atomic, synced write as a save, of the finished bytes.
void BM_WriteRaw(benchmark::State& state) {
  Database& db = TheDatabase();
  for (auto _ : state) {
    AtomicFileWriter writer;
    if (!writer.Open(db.savePath).ok() || !writer.Write(db.bytes) || !writer.Commit().ok())
      state.SkipWithError("write");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(db.bytes.size()));
}

// Parsing and encoding alone, in memory: where the time goes beyond the file system.
void BM_ParseInMemory(benchmark::State& state) {
  Database& db = TheDatabase();
  for (auto _ : state) {
    CMsgList messages;
    ReadMessageDatabase(db.bytes, messages);
    benchmark::DoNotOptimize(messages.data());
    state.PauseTiming();
    messages.clear();
    state.ResumeTiming();
  }
}

void BM_EncodeInMemory(benchmark::State& state) {
  Database& db = TheDatabase();
  for (auto _ : state) {
    StringSink sink;
    WriteMessageDatabase(db.messages, sink);
    benchmark::DoNotOptimize(sink.data().data());
  }
}

BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeInMemory)->Unit(benchmark::kMillisecond);

}  // namespace
