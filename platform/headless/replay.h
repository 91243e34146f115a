// A replay: scripted clicks on the headless platform's virtual clock, the
// same for the desktop and the browser, so that their frames can be held
// side by side. The script is text, as a page address or a command line
// carries it: "DELAY:X:Y,DELAY:X:Y,..." clicks at scene pixel (X, Y), each
// DELAY ms of virtual time after the one before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"

struct ReplayClick {
  int delay_ms = 0;
  int x = 0, y = 0;
};

// False (and `clicks` untouched) when the text is no such script.
bool ParseReplayClicks(const std::string& text, std::vector<ReplayClick>& clicks);

// Queues the clicks on `platform` and stops its clock at `stop_at_ms`.
void ScriptReplay(HeadlessPlatform& platform, const std::vector<ReplayClick>& clicks, uint64_t stop_at_ms);
