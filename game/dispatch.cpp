// The choice dispatcher and the short steps of the title menu: every label
// the player clicks arrives here as its text and runs one step of the game.
#include <string>

#include "app/form.h"
#include "content/words.h"

void TForm1::DispatchChoice(const std::string& text) {
  if (text == "Start") {
    StartShop();
  } else if (text == "About") {
    ShowAbout();
  } else if (text == "Collection") {
    PlayMusic("col.mid");
    OpenSealCollection();
  } else if (text == "手紙") {
    ReadLetter();
  } else if (text == "包む") {
    WrapGoods();
  } else if (text == "折る") {
    FoldGoods();
  } else if (text == "シール") {
    SealStep();
  } else if (text == "はい終わり") {
    FinishWithoutSeal();
  } else if (text == "断る") {
    RefuseCustomer();
  } else if (text == "次") {
    NextCustomer();
  } else if (text == "帰って寝る") {
    NightAndMorning();
  }
  // Any other text (an empty label) does nothing.
}

void TForm1::Say(const std::string& text) {
  PrintMessage(text);
  WaitForClick();
}

void TForm1::SayColor(const std::string& text, const std::string& color) {
  PrintColorMessage(text, color);
  WaitForClick();
}

void TForm1::StartShop() {
  screen_phase = 1;  // from now on the status panel is drawn
  my.play_count += 1;
  PlaySound(0, "start3.wav");
  ShowShopScene();
  Say("次のお客様どうぞー");
  ChooseNextCustomer();
}

void TForm1::ShowAbout() {
  LoadScenePicture("title2.bmp");
  Say("このげえむは、品物をつつむげえむです。");
  Say("そんだけ！！！！！！！");
  Say(words::kAboutCredit);
  LoadScenePicture("login.bmp");
  OfferChoices(my.play_count >= 1 ? "Collection" : "", "About", "Start");
}

// The letter from the seal king, for a complete collection.
void TForm1::ReadLetter() {
  my.progress_flags[kLetterRead] = 1;
  PlaySound(0, "paper.wav");
  LoadScenePicture("letter.bmp");
  WaitForClick();
  SayColor("以上が、あなた様に届いた、シール王からのお便りです", "pink");
  SayColor("おめでとう!!", "pink");
  LoadScenePicture("login.bmp");
  OfferChoices("Collection", "About", "Start");
}

void TForm1::NextCustomer() {
  ShowShopScene();
  Say("次のお客様どうぞー");
  ChooseNextCustomer();
}
