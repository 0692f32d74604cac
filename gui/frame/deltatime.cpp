#include "gui/frame/deltatime.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/input.h"
#include "platform/system.h"

namespace {
constexpr float kDefaultFps = 60.0f;

// 32-bit wrapping arithmetic, as the millisecond clock itself wraps.
int32_t wrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
int32_t wrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
}  // namespace

TDeltaTime deltaTime(kDefaultFps);
float delta = 0.0f;

std::vector<TDeltaTime*>& TDeltaTime::DeltaTList() {
    // Function-local so that timers built during static start-up find it.
    static std::vector<TDeltaTime*> list;
    return list;
}

TDeltaTime::TDeltaTime() {
    DeltaTList().push_back(this);
    listed_ = true;
}

TDeltaTime::TDeltaTime(float fps) : TDeltaTime() { SetFPS(fps); }

TDeltaTime::~TDeltaTime() { Destroy(); }

int TDeltaTime::Destroy() {
    if (listed_) {
        auto& list = DeltaTList();
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        listed_ = false;
    }
    return 0;
}

int TDeltaTime::SetFPS(float fps) {
    if (!(fps > 0.0f) || !std::isfinite(fps)) fps = kDefaultFps;
    dFps = fps;
    dDelta = 1000.0f / fps;
    return 0;
}

int TDeltaTime::Update() {
    CurrTime = Millisecs();
    const int64_t diff = wrapSub(CurrTime, OldTime);
    const int64_t elapsed = diff < 0 ? -diff : diff;
    ElapsedTime = static_cast<int32_t>(std::min<int64_t>(elapsed, std::numeric_limits<int32_t>::max()));
    if (ElapsedTime < 1) ElapsedTime = 1;
    OldTime = CurrTime;
    if (CurrTime > CheckTime) {
        // The frame that closes a counting second is counted in neither.
        CheckTime = wrapAdd(CurrTime, 1000);
        CurrFps = FPSCounter;
        FPSCounter = 0;
    } else {
        ++FPSCounter;
    }
    return 0;
}

float TDeltaTime::CurrDelta() const {
    // A timer never given a rate measures against 60 frames per second.
    const float perFrame = dDelta > 0.0f ? dDelta : 1000.0f / kDefaultFps;
    return static_cast<float>(ElapsedTime < 0 ? -static_cast<int64_t>(ElapsedTime) : ElapsedTime) /
           perFrame;
}

int deltaUpdate() {
    deltaTime.Update();
    delta = deltaTime.CurrDelta();
    PollSystem();
    return 0;
}

double appTimer() { return static_cast<double>(Millisecs()); }

void resetDeltaTime() {
    deltaTime.OldTime = 0;
    deltaTime.ElapsedTime = 0;
    deltaTime.CurrFps = 0;
    deltaTime.FPSCounter = 0;
    deltaTime.CurrTime = 0;
    deltaTime.CheckTime = 0;
    deltaTime.SetFPS(kDefaultFps);
    delta = 0.0f;
}
