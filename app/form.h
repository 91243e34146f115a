// TForm1, the shop's one window: it owns the scene pictures, the sound
// slots, the mixer and the shop day (game/), and is the stage the day plays
// on. Its operations are defined in the folders that own them (app/, view/,
// inventory/, save/, sound/).
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "app/lang.h"
#include "app/paths.h"
#include "app/settings.h"
#include "content/tables.h"
#include "game/shop_day.h"
#include "game/stage.h"
#include "platform/bitmap.h"
#include "platform/platform.h"
#include "view/draw.h"
#include "view/scene.h"

class TSoundMixer;
struct TMixWave;
struct FileError;

inline constexpr int kSoundSlots = 5;
// Converted bytes the loaded sounds may keep: all the shipped ones together
// take about a quarter of it at the highest output rate.
inline constexpr int64_t kWaveCacheBudget = 16 << 20;
inline constexpr const char* kWindowCaption = "ピコラッテ ver1.3 - つつんで、おって、シールをはろう";

// The volume and mute notice, over the upper right of the scene.
inline constexpr PanelRect kVolumeNoticeBox = {kSceneWidth - 106, 6, 100, 20};

class TForm1 : public TSceneVars, public Stage {
 public:
  // The files live beside the game unless `paths` says otherwise.
  explicit TForm1(Platform& platform);
  TForm1(Platform& platform, GamePaths paths);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  Platform& platform;
  const GamePaths paths;
  GameSettings settings;     // window, volume and language, remembered between starts
  TTranslator lang;  // what the shown texts read in

  // The game, its state and its tables.
  ShopDay game{*this};
  tmy& my = game.my;
  GoodsTable& goods_table = game.goods_table;
  CustomerTable& customer_table = game.customer_table;
  int32_t& current_customer = game.current_customer;
  int32_t& current_goods = game.current_goods;

  // Pictures: the display `cg`, the light layer `bak`, the loader `haikei`,
  // the twenty slots and the item panel's picture.
  Bitmap cg, bak, haikei;
  // Where hearts lit the light layer `bak`: only these areas are cleared and
  // combined.
  LitAreas lit;
  std::array<Bitmap, kPictureSlots> picture_slots;
  Bitmap item_box_cg;

  // Sound.
  std::unique_ptr<TSoundMixer> SoundMixer1;
  std::array<TMixWave*, kSoundSlots> sound_slots{};
  bool closing = false;     // FormClose has run: the message loop ends
  bool created = false;     // FormCreate went through: there is progress to save
  uint64_t timer1_due = 0;  // clock ms of the next 20 ms timer tick

  // --- app/: start-up, frame tick, input, messages --------------------------
  // False when start-up cannot go on (the error was shown to the player).
  bool FormCreate();
  // Ends every click wait for good and saves. Called again (the game's end
  // after the player closed), it saves again.
  void FormClose();
  // A second close request: the progress is saved, the program ends now.
  [[noreturn]] void EndProcessNow();
  void FormDestroy();
  // The message loop: runs until the window is closed.
  void Run();
  // Handles every pending event and the timer; waits at most timeout_ms for
  // the first one.
  void ProcessMessages(int timeout_ms = 0);
  // Milliseconds until the next timer tick is due (0 when overdue).
  int TimeToNextTick();
  void HandleEvent(const InputEvent& event);

  void Timer1Timer();
  void FrameStep();
  void WaitForClick() override;
  void AcknowledgeClick();
  void ClampState();
  void cgMouseDown(int x, int y);
  void cgMouseMove(int x, int y);
  void selMouseMove(int n);  // choice 1-3
  void selMouseDown(int n);
  void FormKeyDown(KeyCode key);
  // M, - and +: mute and master volume, shown in a notice over everything.
  // False for every other key.
  bool VolumeKey(KeyCode key);
  struct VolumeNotice {
    bool shown = false;
    std::string text;       // "音量 70%" or "消音"
    int level = 0;          // lit cells of the bar, 0-10
    uint64_t since_ms = 0;  // platform clock of the press
  } volume_notice;
  // 256 while the notice is fully shown, less as it fades, 0 once gone.
  int VolumeNoticeAlpha() const;
  void DrawVolumeNotice(Bitmap& frame, int alpha) const;

  void PrintMessage(const std::string& text);
  // A line in a colour.
  void PrintColorMessage(const std::string& text, Ink ink);
  void AddEffect(int x, int y, const std::string& text, EffectKind kind, Ink ink = Ink::Plain);
  void AddLogLine(const std::string& text, Ink ink);
  void OfferChoices(Command first, Command second, Command third);
  // The game's own dialogs over the scene (app/dialog.cpp). Both wait for
  // the player while the frame tick runs on; a close answers no.
  bool AskYesNo(const std::string& title, const std::string& text);
  // Also written to standard error.
  void ShowError(const std::string& title, const std::string& text);
  int RunDialog(DialogKind kind, const std::string& title, const std::string& text);
  // Shows cg, with the open dialog and the volume notice over it.
  void PresentScene();
  TDialog dialog;       // the dialog up now (or the last one, answered)
  Bitmap dialog_frame;  // cg with the dialog or the volume notice drawn over it

  // A text as the player reads it in the chosen language (the game itself
  // keeps its Japanese: saves, commands, the results sheet).
  std::string Shown(const std::string& text) const { return lang.Shown(text); }
  // Shown, for the drawing functions of view/.
  TranslateText Translator() const {
    return [this](const std::string& text) { return Shown(text); };
  }
  // Reads the language's texts and shows them from the next frame on;
  // remembered in settings. Without its texts the game stays Japanese.
  void UseLanguage(Language language);
  // The switch on the title (and the L key): Japanese <-> English.
  void ToggleLanguage();
  void DrawLanguageButton(Bitmap& canvas) const;
  // Whether this frame shows the button: decided in the update step before
  // the seal box moves, as the frame is painted in that order.
  bool language_button_drawn = false;
  bool LanguageButtonShown() const;
  bool LanguageButtonHit(int x, int y) const;

  // Asset paths beside the executable.
  std::string CgPath(const std::string& name) const;
  std::string DatPath(const std::string& name) const;

  // --- the stage the shop day plays on ----------------------------------------
  void Line(const std::string& text, Ink ink) override;
  void Offer(Command first, Command second, Command third) override;
  void ShowScene(const std::string& picture) override;
  void ShowShopFront() override;
  void ShowCustomer(const std::string& picture) override;
  void ShowPackage(const std::string& picture) override;
  void ShowGoods(int goods) override;
  void ClearCounter() override;
  void Hearts(int x, int y) override;
  void Playing(bool on) override;
  void ClearLog() override;
  void Sound(int channel, const std::string& name) override;
  void Music(const std::string& name) override;
  void Silence() override;
  void OpenSealBox(SealBoxUse use, const std::vector<int>& seals) override;
  void OpenShop(const std::vector<std::string>& offer) override;
  void Save() override;
  void Close() override;

  // --- the frame (app/render_frame.cpp, drawn with view/) ----------------------
  // Every animation moves on by one step (and the closed collection returns
  // to the title menu).
  void UpdateFrame();
  // Paints the frame from the state as it stands onto the scene and the
  // light layer.
  void RenderFrame(Bitmap& canvas, Bitmap& light, LitAreas& lit) const;
  const titem* GoodsOnCounter() const;
  // --- pictures (app/pictures.cpp) --------------------------------------------
  // Loads a picture into a slot and prepares it for transparent drawing;
  // false (slot unchanged) when the file is missing or broken.
  bool LoadSlot(int slot, const std::string& path);
  void LoadScenePicture(const std::string& name);
  void LoadCustomerPicture(const std::string& name);
  void LoadPackagePicture(const std::string& name);
  void LoadSealPicture(const std::string& name);
  void SetShopFront(const std::string& name);
  void ShowShopScene();

  // --- inventory/: stock, item panel, evening shop, seal box ------------------
  void ShowItemDetail();
  void DrawItemPanel(Bitmap& canvas) const;
  // Input while the item panel covers the scene (panel coordinates = scene).
  void ItemPanelMouseDown(int x, int y);
  void ItemPanelMouseUp(int x, int y);
  void ItemPanelKey(KeyCode key, bool down);
  void BuySelected();
  void CloseItemPanel();
  void AddSealToBox(int goods);
  void UpdateSealBox();
  void DrawSealBox(Bitmap& canvas) const;

  // --- save/ ------------------------------------------------------------------
  // False when my.dat exists but cannot be read; the player has been told.
  bool LoadProgress();
  // False when writing failed; the player has been told. What another copy
  // of the game saved meanwhile is kept (SaveMergedProgress).
  bool SaveProgress();
  tmy saved_progress;  // the lasting fields as this copy last read or wrote my.dat
  std::string SaveFileToRead(const char* name) const;
  FileError KeepShortProgressAside(int found);
  // False when the player gave up waiting for another copy of the game.
  bool WaitForOtherCopy();

  // --- sound/ -----------------------------------------------------------------
  void OpenSoundSlots();
  void FreeSoundSlots();
  void PlaySound(int channel, const std::string& name);
  // Told of every sound the game asks for (tests listen here).
  std::function<void(int channel, const std::string& name)> on_play_sound;
  void mid_pNotify();
  // Builds SoundMixer1 (Channels 31, activated); without it the game is silent.
  void CreateSoundMixer();
  // Loaded waves by file name, kept for the next play of the same file while
  // their converted bytes stay within the budget: past it the least recently
  // played go, never one still queued or sounding. A wave that does not fit
  // beside those that sound is not played.
  struct CachedSound {
    TMixWave* wave = nullptr;
    uint64_t last_play = 0;  // value of wave_plays at its last play
  };
  std::map<std::string, CachedSound> wave_cache;
  int64_t wave_cache_bytes = 0;                    // converted bytes of the waves in it
  int64_t wave_cache_budget = kWaveCacheBudget;    // bytes
  uint64_t wave_plays = 0;                         // plays so far
  std::map<std::string, int64_t> wave_sizes;       // converted bytes of every file loaded once
  TMixWave* CachedWave(const std::string& name);
  bool MakeRoomForWave(int64_t bytes);
  void ReleaseCachedWave(TMixWave* wave);
  // The mixer's device finished a block.
  void PumpSound();
};
