#include "platform/prefetch.h"

#include <malloc.h>

#include <condition_variable>
#include <deque>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/detail/audio_sound.h"
#include "platform/detail/gfx_internal.h"
#include "platform/detail/prefetch.h"
#include "platform/files.h"
#include "platform/strings.h"

namespace {

using prefetch_detail::DecodedImage;
using prefetch_detail::DecodedSound;

// Decoded bytes that may wait to be taken: the loading's sounds, or the pictures of a film's
// first scene; small beside the textures they become.
constexpr size_t kBudget = 3u << 20;

enum class Kind { Image, Sound };

struct Entry {
    std::string path;
    Kind kind = Kind::Image;
    enum State { Waiting, Working, Ready, Taken } state = Waiting;
    std::shared_ptr<void> result;  // DecodedImage or DecodedSound; null if unreadable
    size_t bytes = 0;
};

struct Prefetcher {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Entry> entries;  // only grows while the worker runs
    std::unordered_map<std::string, std::vector<size_t>> byPath;
    size_t held = 0;
    size_t budget = kBudget;
    bool stop = false;
    std::thread worker;
    // Recording (ZERKON_PRELOAD_RECORD).
    std::string recordFile, recordRoot;
    std::vector<std::string> recorded;
    // The program may end while the worker runs (quit during the film).
    ~Prefetcher() {
        {
            std::lock_guard<std::mutex> guard(lock);
            stop = true;
        }
        changed.notify_all();
        if (worker.joinable()) worker.join();
    }
};

Prefetcher& pf() {
    static Prefetcher p;
    return p;
}

bool kindOf(const std::string& path, Kind& kind) {
    const std::string low = str::lower(path);
    auto ends = [&](const char* ext) {
        const size_t n = std::strlen(ext);
        return low.size() >= n && low.compare(low.size() - n, n, ext) == 0;
    };
    if (ends(".png") || ends(".jpg") || ends(".jpeg")) kind = Kind::Image;
    else if (ends(".ogg")) kind = Kind::Sound;
    else return false;
    return true;
}

// The worker's share: read quietly (the caller reports what cannot be read) and decode.
std::shared_ptr<void> decode(const std::string& path, Kind kind, size_t& bytes) {
    auto data = files::loadBytes(path, 0, false);
    if (!data) return nullptr;
    if (kind == Kind::Image) {
        auto r = std::make_shared<DecodedImage>();
        r->ok = gfx::decodeImage(*data, r->pixels, r->alpha, r->error);
        bytes = r->pixels.pixels.size() * sizeof(uint32_t);
        return r;
    }
    auto r = std::make_shared<DecodedSound>(audio_detail::DecodeSound(*data, path));
    bytes = audio_detail::SoundSamples(r->sound).size_bytes();
    return r;
}

void work(Prefetcher& p) {
    std::unique_lock<std::mutex> guard(p.lock);
    for (size_t next = 0; !p.stop;) {
        // Ahead far enough, or at the end of the list: wait until the loading takes something
        // or asks for more.
        if (next == p.entries.size() || (p.held > 0 && p.held >= p.budget)) {
            p.changed.wait(guard);
            continue;
        }
        Entry& e = p.entries[next];
        if (e.state != Entry::Waiting) {
            ++next;
            continue;
        }
        e.state = Entry::Working;
        const std::string path = e.path;
        const Kind kind = e.kind;
        guard.unlock();
        size_t bytes = 0;
        std::shared_ptr<void> result = decode(path, kind, bytes);
        guard.lock();
        e.result = std::move(result);
        e.bytes = e.result ? bytes : 0;
        p.held += e.bytes;
        e.state = Entry::Ready;
        p.changed.notify_all();
        ++next;
    }
}

// Adds to the list; the caller holds the lock.
void append(Prefetcher& p, std::string path) {
    Entry e;
    if (!kindOf(path, e.kind)) return;
    e.path = std::move(path);
    p.byPath[e.path].push_back(p.entries.size());
    p.entries.push_back(std::move(e));
}

// Waits for the worker to finish the entry, then takes what it made (if anything) off its
// budget; the caller holds the lock and tells the others.
std::shared_ptr<void> claim(Prefetcher& p, Entry& e, std::unique_lock<std::mutex>& guard) {
    p.changed.wait(guard, [&] { return e.state != Entry::Working; });
    e.state = Entry::Taken;
    p.held -= e.bytes;
    e.bytes = 0;
    return std::move(e.result);
}

std::shared_ptr<void> take(const std::string& path, Kind kind) {
    Prefetcher& p = pf();
    std::unique_lock<std::mutex> guard(p.lock);
    if (!p.recordFile.empty() && path.compare(0, p.recordRoot.size(), p.recordRoot) == 0)
        p.recorded.push_back(path.substr(p.recordRoot.size()));
    auto it = p.byPath.find(path);
    if (it == p.byPath.end()) return nullptr;
    for (size_t i : it->second) {
        Entry& e = p.entries[i];
        if (e.state == Entry::Taken || e.kind != kind) continue;
        if (e.state == Entry::Waiting) {
            // The caller is faster: it does this one itself.
            e.state = Entry::Taken;
            return nullptr;
        }
        std::shared_ptr<void> result = claim(p, e, guard);
        p.changed.notify_all();
        return result;
    }
    return nullptr;
}

void skip(const std::string& path) {
    Prefetcher& p = pf();
    std::vector<std::shared_ptr<void>> unused;  // freed after the lock is let go
    std::unique_lock<std::mutex> guard(p.lock);
    auto it = p.byPath.find(path);
    if (it == p.byPath.end()) return;
    for (size_t i : it->second) {
        Entry& e = p.entries[i];
        if (e.kind == Kind::Sound) unused.push_back(claim(p, e, guard));
    }
    p.changed.notify_all();
}

bool workerWanted() {
    const char* env = std::getenv("ZERKON_PRELOAD");
    if (env && std::strcmp(env, "0") == 0) return false;
    return !IsHeadless();
}

}  // namespace

namespace prefetch_detail {

std::shared_ptr<DecodedImage> TakeImage(const std::string& path) {
    return std::static_pointer_cast<DecodedImage>(take(path, Kind::Image));
}

std::shared_ptr<DecodedSound> TakeSound(const std::string& path) {
    return std::static_pointer_cast<DecodedSound>(take(path, Kind::Sound));
}

void SkipSound(const std::string& path) { skip(path); }

}  // namespace prefetch_detail

void StartPrefetchOf(std::vector<std::string> paths, size_t budgetBytes) {
    StopPrefetch();
    Prefetcher& p = pf();
    std::lock_guard<std::mutex> guard(p.lock);
    p.stop = false;
    p.budget = budgetBytes;
    for (std::string& path : paths) append(p, std::move(path));
    p.worker = std::thread(work, std::ref(p));
}

void PrefetchImagePixels(const std::vector<TImage>& images) {
    Prefetcher& p = pf();
    {
        std::lock_guard<std::mutex> guard(p.lock);
        if (!p.worker.joinable() || p.stop) return;
        for (const TImage& img : images)
            if (img && img->frames.empty() && !img->keepPixels && !img->path.empty()) append(p, img->path);
    }
    p.changed.notify_all();
}

void StartPrefetch(const std::string& root, const std::string& listFile) {
    if (const char* record = std::getenv("ZERKON_PRELOAD_RECORD"); record && *record) {
        StopPrefetch();
        Prefetcher& p = pf();
        std::lock_guard<std::mutex> guard(p.lock);
        p.recordFile = record;
        p.recordRoot = root;
        p.recorded.clear();
        return;
    }
    if (!workerWanted()) return;
    // The list is only a speed-up: without it everything is read when asked for.
    auto text = files::loadBytes(listFile, 1u << 20, false);
    if (!text) return;
    std::vector<std::string> paths;
    for (size_t at = 0; at < text->size();) {
        size_t end = text->find('\n', at);
        if (end == std::string::npos) end = text->size();
        std::string rel = str::trim(std::string_view(*text).substr(at, end - at));
        // The loading reads only the pictures' headers: their pixels wait for their first
        // draw (PrefetchImagePixels), so only the sounds are decoded ahead.
        Kind kind = Kind::Image;
        if (!rel.empty() && kindOf(rel, kind) && kind == Kind::Sound) paths.push_back(root + rel);
        at = end + 1;
    }
    StartPrefetchOf(std::move(paths), kBudget);
}

void StopPrefetch() {
    Prefetcher& p = pf();
    {
        std::lock_guard<std::mutex> guard(p.lock);
        p.stop = true;
    }
    p.changed.notify_all();
    if (p.worker.joinable()) p.worker.join();
    std::string recordFile;
    std::vector<std::string> recorded;
    {
        std::lock_guard<std::mutex> guard(p.lock);
        p.entries.clear();
        p.byPath.clear();
        p.held = 0;
        recordFile.swap(p.recordFile);
        recorded.swap(p.recorded);
        p.recordRoot.clear();
    }
#ifdef __GLIBC__
    // What the worker's own heap kept of the decoding goes back to the system.
    malloc_trim(0);
#endif
    if (recordFile.empty()) return;
    std::string text;
    for (const std::string& rel : recorded) text += rel + "\n";
    files::saveText(text, recordFile);
}

size_t PrefetchHeldBytes() {
    Prefetcher& p = pf();
    std::lock_guard<std::mutex> guard(p.lock);
    return p.held;
}
