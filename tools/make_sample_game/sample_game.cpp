#include "make_sample_game/sample_game.h"

#include <string>
#include <system_error>

#include "core/record_version.h"
#include "data/data_read_context.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "make_sample_game/bitmap_catalog.h"
#include "make_sample_game/blend_tables.h"
#include "make_sample_game/bmp_writer.h"
#include "make_sample_game/game_files.h"
#include "make_sample_game/midi_writer.h"
#include "make_sample_game/sample_palette.h"
#include "make_sample_game/sample_records.h"
#include "make_sample_game/sample_stages.h"
#include "make_sample_game/sound_effects.h"
#include "make_sample_game/tone_synth.h"
#include "make_sample_game/tune_render.h"
#include "make_sample_game/tunes.h"
#include "make_sample_game/wave_writer.h"
#include "platform/files/path_resolver.h"
#include "platform/sound/vorbis_encoder.h"

namespace sample {

namespace {

namespace fs = std::filesystem;

// What the maker writes into the game folder, removed first so that nothing of an earlier run
// stays; data\ goes too, so that the next start copies the new default\.
constexpr const char* kGameFolders[] = {"default", "data", "bmp", "se", "bgm"};

// The project's own path rows name the pristine copies of the data files.
std::string DefaultRow(int dataRow) { return ProjectPaths[static_cast<std::size_t>(dataRow + 1)]; }

// Makes the game folder the current one for the run; the resolver forgets the listings of
// whatever folder was current before.
class GameFolderScope {
 public:
  explicit GameFolderScope(const fs::path& folder) : previous_(fs::current_path()) {
    fs::current_path(folder);
    platform::GameFolder().Forget();
  }
  ~GameFolderScope() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    platform::GameFolder().Forget();
  }
  GameFolderScope(const GameFolderScope&) = delete;
  GameFolderScope& operator=(const GameFolderScope&) = delete;

 private:
  fs::path previous_;
};

// Records are written at the current layout, whatever the process had set.
class VersionScope {
 public:
  VersionScope() : previous_(CurrentVersion) { CurrentVersion = kRecordVersion; }
  ~VersionScope() { CurrentVersion = previous_; }
  VersionScope(const VersionScope&) = delete;
  VersionScope& operator=(const VersionScope&) = delete;

 private:
  std::int32_t previous_;
};

void WriteBitmaps(GameFiles& files) {
  for (const BitmapEntry& entry : BitmapCatalog()) {
    const Canvas canvas = entry.paint();
    if (canvas.Width() != entry.width || canvas.Height() != entry.height) {
      files.Problem(std::string(entry.path) + " was painted at the wrong size");
      continue;
    }
    files.Write(entry.path, EncodeBmp8(canvas, SamplePalette()));
  }
}

void WriteBlendTables(GameFiles& files) {
  const std::vector<std::string> tables = BuildBlendTables(SamplePalette());
  for (int choice = 0; choice < kPaletteChoices; ++choice) {
    files.Write(BlendTablePath(choice), tables[static_cast<std::size_t>(choice)]);
  }
}

void WriteSounds(GameFiles& files) {
  for (const auto* list : {&SystemSoundEffects(), &GameSoundEffects()}) {
    for (const SoundEffect& effect : *list) {
      files.Write(effect.file, EncodeWave(ToPcm16(RenderTones(effect.tones)), kSampleRate));
    }
  }
}

void WriteMusic(GameFiles& files) {
  for (const Tune& tune : GameTunes()) {
    if (tune.file.ends_with(".ogg")) {
      platform::VorbisSource source;
      source.samples = ToPcm16(RenderTune(tune));
      source.rate = kSampleRate;
      std::string bytes;
      if (!platform::EncodeOggVorbis(source, bytes)) {
        files.Problem(tune.file + " could not be encoded");
        continue;
      }
      files.Write(tune.file, bytes);
    } else {
      files.Write(tune.file, EncodeMidi(tune));
    }
  }
}

void WriteDatabase(GameFiles& files, cDatabase& db) {
  files.SaveList(db.AnimeSets, DefaultRow(kPathAnimeSetDb));
  files.SaveList(db.Animes, DefaultRow(kPathAnimeDb));
  files.SaveList(db.CharaBitmaps, DefaultRow(kPathBmpCharaExcDb));
  files.SaveList(db.SwordTypes, DefaultRow(kPathSwordTypeDb));
  files.SaveList(db.Effects, DefaultRow(kPathEffectDb));
  files.SaveList(db.CharaEffects, DefaultRow(kPathCharaEffectDb));
  files.SaveList(db.ScrEffects, DefaultRow(kPathScrEffectDb));
  files.SaveList(db.Pictures, DefaultRow(kPathPictureDb));
  files.SaveList(db.Sounds, DefaultRow(kPathSoundDb));
  files.SaveList(db.Bgms, DefaultRow(kPathBgmDb));
}

void WriteRecords(GameFiles& files) {
  // The process-wide database is what records validate their numbers against while they
  // write (music numbers, sounds, effects), so it holds the game's catalogue from here on.
  BuildDatabase(Database);
  Database.FillReadContext(ProjectDataContext());
  WriteDatabase(files, Database);

  cSystemData system;
  BuildSystemData(system);
  files.SaveRecord(system, DefaultRow(kPathSystemData));

  cWorldMap map;
  BuildWorldMap(map);
  files.SaveRecord(map, DefaultRow(kPathWorldMap));

  WriteStages(files);
}

}  // namespace

const char* SampleSystemIni() {
  // One key a line, LF line ends, closed by "Exit". A comment follows its value after a space.
  return "Direct3D=2 // 1 Direct3D, 0 DirectDraw, 2 ask at start\n"
         "WindowMode=1 // 1 window, 0 full screen\n"
         "Bpp=0 // colour depth, 0 automatic\n"
         "VSync=2\n"
         "D3D_FontCache=1\n"
         "DD_FontCache=1\n"
         "DD_VideoStretch=0\n"
         "ShowFps=0\n"
         "FreeStage=\n"
         "English=0\n"
         "Exit\n";
}

MakeResult MakeSampleGame(const fs::path& gameFolder) {
  MakeResult result;
  std::error_code error;
  fs::create_directories(gameFolder, error);
  if (error || !fs::is_directory(gameFolder)) {
    result.error = gameFolder.string() + ": the game folder cannot be made";
    return result;
  }
  GameFolderScope folder(gameFolder);
  VersionScope version;
  for (const char* stale : kGameFolders) {
    fs::remove_all(stale, error);
    if (error) {
      result.error = gameFolder.string() + "/" + stale + " cannot be removed";
      return result;
    }
  }
  platform::GameFolder().Forget();

  GameFiles files;
  WriteBitmaps(files);
  WriteBlendTables(files);
  WriteSounds(files);
  WriteMusic(files);
  WriteRecords(files);
  files.Write(kSystemIniName, SampleSystemIni());
  result.ok = files.Ok();
  result.error = files.Error();
  result.files = files.Count();
  return result;
}

}  // namespace sample
