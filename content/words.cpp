// What customers say about the seal on their package, and everything the
// manager, 天長, says at closing time.
#include "content/words.h"

namespace words {

// The favourite seal.
const std::array<const char*, 12> kGreatReactions = {
    "きゃー！これが一番欲しかったの!!",
    "うそっ、いちばん好きなシールだ！",
    "最高！わかってるぅ!!",
    "（満面の笑み）",
    "これこれ、これを待ってたの！",
    "すごい、どうしてわかったの!?",
    "一生大事にする!!",
    "あなた天才!!",
    "（目がキラキラしている）",
    "わぁ、これ宝物にするね！",
    "感激で涙が出そう…",
    "ありがとう、ほんとにありがとう!!",
};

const std::array<const char*, 11> kLikedReactions = {
    "あ、これ好きなシールだ、やった!!",
    "いいシール貼ってくれたね",
    "（にっこり）",
    "わ、かわいい！",
    "センスいいね",
    "このシール、ちょうど欲しかったんだ",
    "うれしいな、ありがと",
    "なかなかやるじゃない",
    "（うれしそうにしている）",
    "いい感じ、気に入ったよ",
    "おっ、わかってるねぇ",
};

const std::array<const char*, 11> kDislikedReactions = {
    "うげっ、このシール嫌い…",
    "え～、なんでこれなの",
    "（顔がひきつっている）",
    "ちょっと、これはないでしょ",
    "最悪…",
    "センスないなあ",
    "これ、はがしていい？",
    "（むっとしている）",
    "よりによってこれ!?",
    "見なかったことにするね…",
    "うう、テンション下がる…",
};

const std::array<const char*, 12> kNeutralReactions = {
    "シールありがとう！",       "ふーん、まあいいか",   "（ふつうの顔）",           "ありがと",
    "普通のシールだね",         "うん、いいんじゃない", "シール、貼ってくれたんだ", "どうもどうも",
    "（特に表情は変わらない）", "まあ、こんなもんか",   "はい、たしかに",           "ふむふむ",
};

const std::array<const char*, 3> kManagerWageCut = {
    "なんじゃ、このていたらくは",
    "今日の給料は少し減らさせてもらう",
    "明日はしっかりたのむぞ",
};

const std::array<const char*, 3> kManagerBonus70 = {
    "ふむ、まあまあじゃな",
    "少しだけボーナスをやろう",
    "調子にのるでないぞ",
};

const std::array<const char*, 4> kManagerBonus81 = {
    "ほう、なかなかやるではないか",
    "お客さんも喜んでおったぞ",
    "ボーナスをはずんでやろう",
    "この調子で明日もたのむ",
};

const std::array<const char*, 4> kManagerBonus91 = {
    "うむ、見事な働きぶりじゃ",
    "わしの若いころを思い出すわい",
    "ボーナスをたっぷりやろう",
    "明日も期待しておるぞ",
};

// Followed by the money doubled and the manager's own seal.
const std::array<const char*, 4> kManagerPerfect = {
    "な、なんと満足度100％じゃと!?",
    "わしは感動したぞ…",
    "おぬしの金を倍にしてやろう!!",
    "それと、わしのシールもくれてやる",
};

const char* const kManagerPromotion = "よし、おぬしを昇格させてやろう";

const std::array<const char*, 8> kManagerClear = {
    "……ついにここまで来たか",           "おぬしはもう立派な店員じゃ",
    "いや、わしを超えたかもしれんのう", "わしが教えることは、もう何もない",
    "この店は、今日からおぬしに任せる", "…わしか？　わしは包みの旅に出る",
    "お客さんの笑顔を忘れるでないぞ",   "さらばじゃ、達者でな",
};

const char* const kManagerDismissal = "役立たずめ、明日からもう来なくてよい!!";

namespace {
// Every story closes with the same grumble.
constexpr const char* kStoryClosing = "……ふん、年寄りの昔話じゃ、忘れてくれ";
}  // namespace

const std::array<const char*, 6> kManagerStory1 = {
    "....わしも昔は、おぬしのような店員じゃった",   "包むのがへたでのう、よく先代に叱られたわい",
    "ある日、泣いとる女の子にリボンを巻いてやった", "その子が、ぱあっと笑ってくれてのう",
    "あの笑顔が忘れられんで、今もこの店におる",     kStoryClosing,
};

const std::array<const char*, 7> kManagerStory2 = {
    "....わしの若いころの夢を知っておるか",
    "世界一の包み職人になることじゃった",
    "修行の旅で、象を包んだこともあるぞ",
    "…うそではない、鼻だけ出ておったがな",
    "その象は、いまもどこかの国の王様が飼っておる",
    "あの王様、たまに店に来るじゃろう",
    kStoryClosing,
};

const std::array<const char*, 7> kManagerStory3 = {
    "....わしにも、若いころ妻がおってのう",
    "この店は、ふたりではじめた店なんじゃ",
    "あいつはシール選びの名人じゃった",
    "今は田舎で、にわとりを育てておる",
    "朝、店先にたまごやひよこがおるじゃろう",
    "あれは、あいつからの便りかもしれんのう",
    kStoryClosing,
};

const std::array<const char*, 2> kManagerParting = {
    "さあ、明日の準備をしておくのじゃ",
    "ではな、また明日",
};

const char* const kAboutCredit = "つくった人：ピコラッテ制作チーム";

}  // namespace words
