#pragma once
// Decoding ahead. The loading reads the sounds of the game one after another, and a screen's
// first frames decode the pictures they draw; a list of the files the loading reads, in that
// order, is made by the build (a recording run of the program). StartPrefetch gives the
// list's sounds to a worker thread, which reads and decodes them while the display opens and
// the loading runs, and LoadSound takes the results instead of decoding; PrefetchImagePixels
// has it decode pictures about to be drawn for the first time, whose first draw takes them.
// A file the worker has not begun when it is asked for is done by the caller as before, and
// every message (a missing or damaged file) is still printed by the caller, so what the game
// does and says stays the same, in the same order. Results wait under a memory budget;
// StopPrefetch drops what was never asked for.
//
//   StartPrefetch(bDir, bDir + "preload.lst");   // as soon as the asset folder is known
//   ...                                               // the loading, the film
//   StopPrefetch();                                   // once the film is over
//
// The worker runs only with a real display (the headless backend stays on one thread) and
// not with ZERKON_PRELOAD=0. ZERKON_PRELOAD_RECORD=FILE writes the list instead: the files
// under the root that pictures and sounds are read from, until StopPrefetch.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/graphics.h"

// The list file holds paths relative to root, one a line. Nothing happens when it is missing.
void StartPrefetch(const std::string& root, const std::string& listFile);
// Starts the worker on these paths (tests). budgetBytes: decoded bytes that may wait.
void StartPrefetchOf(std::vector<std::string> paths, size_t budgetBytes);
// While the worker runs: these images are about to be drawn for the first time, so those
// whose pixels were let go since they were loaded are decoded again ahead (in this order).
void PrefetchImagePixels(const std::vector<TImage>& images);
// Stops the worker and drops what it decoded that nobody took; writes the recording.
void StopPrefetch();
// Decoded bytes waiting to be taken now.
size_t PrefetchHeldBytes();
