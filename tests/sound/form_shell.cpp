// The parts of the window the sound calls rely on, for the sound tests to
// link on their own: construction (which makes the mixer) and the paths.
#include "app/form.h"
#include "sound/mixer/mixer.h"

TForm1::TForm1(Platform& p) : platform(p) { CreateSoundMixer(); }
TForm1::~TForm1() = default;
std::string TForm1::DatPath(const std::string& name) const { return platform.BaseDir() + "dat/" + name; }
