#include "sound/vox.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>

#include "core/host_path.h"
#include "core/message_boxes.h"
#include "platform/sound/ogg_player.h"
#include "sound/music_output.h"

namespace {

// The program's own player: the file read whole through the game folder, played by the
// platform's Ogg player into the music mixer.
class OggVox final : public cVoxObject {
 public:
  OggVox() : player_(platform::OggPlayer::Create(MusicMixer())) {}
  ~OggVox() override { player_->Delete(); }

  bool Load(const char* path) override {
    const std::string host = HostPathForRead(path);
    if (host.empty()) return false;
    std::ifstream in(host, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return player_->Load(std::move(bytes));
  }
  void Play() override { player_->Play(); }
  void Stop() override { player_->Stop(); }
  void Close() override { player_->Close(); }
  void SetLoop(std::int32_t count) override { player_->SetLoop(count); }
  void Delete() override { player_->Delete(); }

 private:
  std::shared_ptr<platform::OggPlayer> player_;
};

std::unique_ptr<cVoxObject> CreateOggVox() { return std::make_unique<OggVox>(); }

std::atomic<VoxFactory> g_factory{&CreateOggVox};

}  // namespace

void SetVoxFactory(VoxFactory factory) { g_factory.store(factory); }
void ResetVoxFactory() { g_factory.store(&CreateOggVox); }

cVox::~cVox() { Release(); }

int cVox::Init() {
  m_pCreateVox = g_factory.load();
  if (m_pCreateVox == nullptr) {
    ErrorBox("oggの初期化に失敗！");
    return 0;
  }
  return 1;
}

int cVox::SetChannels(std::int32_t n) {
  m_nVox = n < 0 ? 0 : n;
  m_ppVox.clear();
  for (int i = 0; i < m_nVox; ++i) {
    std::unique_ptr<cVoxObject> object = m_pCreateVox != nullptr ? m_pCreateVox() : nullptr;
    if (!object) {
      m_ppVox.clear();
      m_nVox = 0;
      OutOfMemoryExit();
      return 0;
    }
    m_ppVox.push_back(std::move(object));
  }
  return 1;
}

int cVox::Play(std::int32_t index, const char* path, bool loop) {
  if (path == nullptr || path[0] == '\0') return 0;
  Stop();
  if (index < 0 || index >= m_nVox) return 0;
  cVoxObject& object = *m_ppVox[static_cast<std::size_t>(index)];
  object.Close();
  if (!object.Load(path)) {
    m_nCur = -1;
    return 0;
  }
  object.SetLoop(loop ? kVoxEndless : 0);
  object.Play();
  m_nCur = index;
  return 1;
}

void cVox::Stop() {
  if (m_nCur == -1) return;
  m_ppVox[static_cast<std::size_t>(m_nCur)]->Stop();
  m_nCur = -1;
}

void cVox::Release() {
  for (std::unique_ptr<cVoxObject>& object : m_ppVox) {
    if (object) object->Delete();
    object.reset();
  }
  m_ppVox.clear();
  m_nVox = 0;
  m_nCur = -1;
  m_pCreateVox = nullptr;
}
