#include "platform/detail/audio_stream.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

namespace audio_detail {

namespace {

// About 190 ms of a 22050 Hz track: a mix at 44100 Hz reads 515 frames of it, and the
// frames decoded ahead when a channel starts fit with room to spare.
constexpr long kRingFrames = 4096;

constexpr int kBigEndian = std::endian::native == std::endian::big ? 1 : 0;

size_t memRead(void* ptr, size_t size, size_t count, void* source) {
    auto* f = static_cast<MemoryFile*>(source);
    if (size == 0 || f->pos >= f->data->size()) return 0;
    size_t n = std::min(count, (f->data->size() - f->pos) / size);
    std::memcpy(ptr, f->data->data() + f->pos, n * size);
    f->pos += n * size;
    return n;
}

int memSeek(void* source, ogg_int64_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(f->pos);
    else if (whence == SEEK_END) base = static_cast<ogg_int64_t>(f->data->size());
    else if (whence != SEEK_SET) return -1;
    ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(f->data->size())) return -1;
    f->pos = static_cast<size_t>(target);
    return 0;
}

long memTell(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->pos); }

bool usableLayout(const vorbis_info* info) {
    return info && info->channels >= 1 && info->channels <= 8 && info->rate >= 1 && info->rate <= 384000;
}

}  // namespace

ov_callbacks MemoryCallbacks() { return ov_callbacks{memRead, memSeek, nullptr, memTell}; }

StreamLayout ProbeStream(const std::string& bytes) {
    StreamLayout out;
    MemoryFile mem{&bytes, 0};
    OggVorbis_File vf;
    if (ov_open_callbacks(&mem, &vf, nullptr, 0, MemoryCallbacks()) < 0) return out;
    const vorbis_info* first = ov_info(&vf, 0);
    bool ok = ov_seekable(&vf) && usableLayout(first);
    for (long link = 1; ok && link < ov_streams(&vf); ++link) {
        const vorbis_info* part = ov_info(&vf, static_cast<int>(link));
        ok = part && part->channels == first->channels && part->rate == first->rate;
    }
    ogg_int64_t total = ok ? ov_pcm_total(&vf, -1) : 0;
    // A length no track has is a damaged last page; decoding it whole finds the real one.
    if (total > 0 && total < (ogg_int64_t(1) << 30)) {
        out.ok = true;
        out.frames = static_cast<long>(total);
        out.channels = first->channels;
        out.rate = static_cast<int>(first->rate);
    }
    ov_clear(&vf);
    return out;
}

StreamDecoder::StreamDecoder(std::shared_ptr<const std::string> bytes, const StreamLayout& layout, bool loop)
    : bytes_(std::move(bytes)), mem_{bytes_.get(), 0}, rate_(layout.rate) {
    std::memset(&vf_, 0, sizeof vf_);
    frames_ = layout.frames;
    channels_ = std::max(1, layout.channels);
    loop_ = loop;
}

StreamDecoder::~StreamDecoder() {
    if (opened_) ov_clear(&vf_);
}

void StreamDecoder::Open() {
    if (opened_ || broken_ || !bytes_) return;
    mem_.pos = 0;
    if (ov_open_callbacks(&mem_, &vf_, nullptr, 0, MemoryCallbacks()) < 0) {
        bytes_.reset();  // never tried again
        return;
    }
    opened_ = true;
    decodeAt_ = 0;
    grow(kRingFrames);
}

void StreamDecoder::grow(long frames) {
    if (frames <= capacity_) return;
    std::vector<int16_t> bigger(static_cast<size_t>(frames) * channels_);
    for (long i = 0; i < held_; ++i) {
        long slot = (headSlot_ + i) % capacity_;
        std::memcpy(&bigger[static_cast<size_t>(i) * channels_], &ring_[static_cast<size_t>(slot) * channels_],
                    sizeof(int16_t) * channels_);
    }
    ring_.swap(bigger);
    capacity_ = frames;
    headSlot_ = 0;
}

bool StreamDecoder::seek(long frame) {
    broken_ = ov_pcm_seek(&vf_, frame) != 0;
    decodeAt_ = frame;
    return !broken_;
}

// One read into the free part of the ring after the frames held.
void StreamDecoder::decodeMore(long wanted) {
    if (decodeAt_ >= frames_) {
        if (!loop_ || !seek(0)) return;  // a loop goes on from its start
    }
    long tail = (headSlot_ + held_) % capacity_;
    long room = std::min({wanted - held_, capacity_ - tail, frames_ - decodeAt_});
    if (room <= 0) return;
    int section = 0;
    long got = ov_read(&vf_, reinterpret_cast<char*>(&ring_[static_cast<size_t>(tail) * channels_]),
                       static_cast<int>(room * channels_ * 2), kBigEndian, 2, 1, &section);
    // The end of the data before the length its last page gave, a gap, a damaged packet or
    // a link that changes the layout: silence from here.
    const vorbis_info* part = got > 0 ? ov_info(&vf_, section) : nullptr;
    if (!part || part->channels != channels_ || part->rate != rate_) {
        broken_ = true;
        return;
    }
    long n = got / (2 * channels_);
    held_ += n;
    decodeAt_ += n;
}

void StreamDecoder::Prepare(long first, long count) {
    if (!opened_) Open();
    if (!opened_ || first < 0 || first >= frames_ || count <= 0) return;
    // A ring holds no frame twice, so a loop shorter than a mix is held whole at most.
    count = std::min(count, loop_ ? frames_ : frames_ - first);
    grow(count);
    const bool cameRound = loop_ && first < lastFirst_;
    lastFirst_ = first;

    long off = first - headFrame_;
    if (off < 0 && loop_) off += frames_;
    if (off >= 0 && off <= held_) {
        headSlot_ = (headSlot_ + off) % capacity_;
        headFrame_ = first;
        held_ -= off;
    } else {
        // Moved on without a mix (or past a broken stretch): nothing held is of use.
        headSlot_ = 0;
        headFrame_ = first;
        held_ = 0;
        if (!broken_ && !seek(first)) return;
    }
    if (broken_) {
        // Silent until a loop comes round to its start again, in this mix or before it.
        if (!loop_ || held_ != 0) return;
        const bool crossing = first + count > frames_;
        if (!crossing && !cameRound) return;
        const long from = crossing ? 0 : first;
        if (crossing) count = first + count - frames_;  // the silent frames before the end stay unheld
        headFrame_ = from;
        if (!seek(from)) return;
    }
    while (!broken_ && held_ < count) {
        long before = held_;
        decodeMore(count);
        if (held_ == before) break;  // the end of a one-shot, or nothing more to be had
    }
}

}  // namespace audio_detail
