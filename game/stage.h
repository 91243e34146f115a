// The stage: everything the shop day asks of the screen and the speakers.
// The window implements it for the player; the game's tests implement it
// with a recorder. Every call happens in the order the player would see or
// hear it; WaitForClick is the only one that lets time pass.
#pragma once

#include <string>
#include <vector>

// The colour a line of the message log is written in.
enum class Ink { Plain, Green, Yellow, Blue, Pink, Red, Yellow2, Pink2 };

// What a choice label does when it is clicked; None is an empty label.
enum class Command { None, Start, About, Collection, Letter, Wrap, Fold, Seal, Finish, Refuse, Next, Sleep };

// The label the player reads for a command ("" for None).
const char* CommandLabel(Command command);

// The seal box: the held seals to pick one from, or the collection to look at.
enum class SealBoxUse { Picker, Collection };

class Stage {
 public:
  virtual ~Stage() = default;

  // A new line at the bottom of the message log.
  virtual void Line(const std::string& text, Ink ink) = 0;
  // Lets the scene run on until the player clicks.
  virtual void WaitForClick() = 0;
  // The three choice labels, sliding in.
  virtual void Offer(Command first, Command second, Command third) = 0;

  // A new background (a scene picture drawn at twice its size); the customer,
  // the package, the seal and the shop front go.
  virtual void ShowScene(const std::string& picture) = 0;
  // The shop with its counter and nobody at it.
  virtual void ShowShopFront() = 0;
  virtual void ShowCustomer(const std::string& picture) = 0;
  virtual void ShowPackage(const std::string& picture) = 0;
  // The goods a customer brought: its picture on the counter and its card
  // sliding in beside the status panel.
  virtual void ShowGoods(int goods) = 0;
  // The visit is over: the goods card slides out, the stuck seal goes.
  virtual void ClearCounter() = 0;
  // A burst of hearts flying out from a point of the scene.
  virtual void Hearts(int x, int y) = 0;
  // Whether the status panel is up (a game in progress) or the title menu.
  virtual void Playing(bool on) = 0;
  // The message log, the hearts and the status panel's bars start afresh.
  virtual void ClearLog() = 0;

  virtual void Sound(int channel, const std::string& name) = 0;
  // Plays a piece of music in a loop; Silence stops it.
  virtual void Music(const std::string& name) = 0;
  virtual void Silence() = 0;

  // The seal box slides in holding `seals` (goods numbers, one per piece).
  virtual void OpenSealBox(SealBoxUse use, const std::vector<int>& seals) = 0;
  // The evening shop's panel, offering the goods named.
  virtual void OpenShop(const std::vector<std::string>& offer) = 0;

  // Saves the progress (the player is told when that fails).
  virtual void Save() = 0;
  // The shop closes for good: the progress is saved, every wait is skipped.
  virtual void Close() = 0;
};
