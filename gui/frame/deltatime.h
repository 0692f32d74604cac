#pragma once
// Frame delta timer: `delta` is the last frame's length in frames of the target rate.
// All motion is speed times `delta`; deadlines use appTimer().
#include <cstdint>
#include <vector>

// Measures frames against a target rate and counts frames per second.
class TDeltaTime {
public:
    int32_t OldTime = 0;      // clock (ms) at the previous Update
    int32_t ElapsedTime = 0;  // ms between the last two Updates, at least 1
    float dFps = 0;           // target frames per second
    float dDelta = 0;         // ms per target frame
    int32_t CurrFps = 0;      // frames counted in the last completed second
    int32_t FPSCounter = 0;   // frames counted so far in this second
    int32_t CurrTime = 0;     // clock at the last Update
    int32_t CheckTime = 0;    // clock after which the counting second ends

    // Every timer ever made and not destroyed, in construction order.
    static std::vector<TDeltaTime*>& DeltaTList();

    TDeltaTime();
    explicit TDeltaTime(float fps);
    ~TDeltaTime();
    TDeltaTime(const TDeltaTime&) = delete;
    TDeltaTime& operator=(const TDeltaTime&) = delete;

    // A rate of 0, below 0 or not a number falls back to 60.
    int SetFPS(float fps);
    int Update();
    float CurrDelta() const;
    int FPS() const { return CurrFps; }
    // Takes the timer out of DeltaTList (the destructor does it too).
    int Destroy();

private:
    bool listed_ = false;
};

// The one frame timer (60 frames per second).
extern TDeltaTime deltaTime;
// Frame factor set by deltaUpdate; 0 until the first call.
extern float delta;

// deltaTime.Update, delta = deltaTime.CurrDelta, then one poll of the system's events.
int deltaUpdate();
// The millisecond clock as a floating value, without loss.
double appTimer();

// Fresh timer state at 60 frames per second and delta 0 (for tests).
void resetDeltaTime();
