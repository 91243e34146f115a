// The browser tab: the scene on the page's canvas, input from the page, a
// clock, and sleeps that hand control back to the browser (the program is
// built with ASYNCIFY, so the game's click waits stay as they are).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/replay.h"
#include "platform/platform.h"

// Over the page's <canvas id="canvas">; cg/ and dat/ are under `base_dir`.
std::unique_ptr<Platform> CreateWebPlatform(const std::string& base_dir);

// A test page (index.html?replay=...&stop=...): the game runs on the
// headless platform's virtual clock with the replay's clicks, silent, and
// holds once the clock reaches the stop; the page's input is ignored. Each
// frame still goes to the canvas, with the rectangles of its text in
// Module.picoTextRects ([left, top, right, bottom] each); Module.picoReplayDone
// turns true at the stop. The same script on the desktop (tests/web/
// desktop_frame) gives the same frame there.
std::unique_ptr<Platform> CreateWebReplayPlatform(const std::string& base_dir,
                                                  const std::vector<ReplayClick>& clicks,
                                                  uint64_t stop_at_ms);

// The player's files kept in the browser's storage (an IndexedDB mount the
// page prepares). At every wait the platform looks whether any of them
// changed and, if so, writes the mount back.
// Requests the page makes of the game. keep_progress writes what the player
// has done to the player's files when it changed: at every wait (a failure
// may then be told on the game's board), and straight from the page's hide
// and close handlers (quietly: the program is entered while it sleeps, so
// nothing may wait there). import_progress takes the my.dat the player
// imported, inside a wait. The platform also asks at every wait for the
// game's language ("ja" or "en") and tells the page when it changed, so that
// the page's own buttons follow it.
struct PageRequests {
  std::function<void(bool may_ask)> keep_progress;
  std::function<bool(const std::string& path)> import_progress;  // false: refused
  std::function<std::string()> language;
};
void SetPageRequests(PageRequests requests);

// Notes when a moment of the start was reached (Module.picoMarks[name], in
// ms after navigation), for the page's benchmark.
void MarkPageMoment(const char* name);

void WatchSavedFiles(std::vector<std::string> paths);
void SyncSavedFiles(bool force);
