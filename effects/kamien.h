#pragma once
// Stones: what a wrong move throws. A stone pulses over its cell, then flies into the bag
// (the bag count rises) or against the chest (one mistake), bounces off shedding
// splinters and falls out of the screen. Every flying stone trails dust.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "effects/list.h"
#include "game/board/tiledata.h"
#include "platform/graphics.h"

struct TKamien;
using TKamienList = fx::List<TKamien>;

struct TKamien {
    int gotoworek = 0;      // 1: into the bag; set by the creator before the next update
    int size = 0;           // tile size class 0..4
    int n = 0;
    std::string state;      // "START", "HIDE", "FLY", "FLY-DOWN", "FLY-TO-WOREK"
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
    float mx = 0, my = 0;
    float dx = 0, dy = 0;   // target: a hit point of the chest, or the bag
    float per = 0;
    float s = 0;
    float a = 0;
    float rot = 0;
    float speed = 0;        // 0.5 .. 1, drawn once
    int32_t kurzTime = 0;   // no dust burst before this time
    bool _dead = false;

    // The flying stone per size class (centred) and the rock strips the covered cells of
    // no picture show while their cover opens (8 frames each, centred).
    static std::array<TImage, kTileSizeClasses> gfx;
    static std::array<TImage, kTileSizeClasses> img;
    static constexpr int frames = 8;

    virtual ~TKamien() = default;
    virtual void draw();
    virtual void generate();
    virtual void _updateStart();
    virtual void _updateHide();
    virtual void _updateFlyToWorek();
    virtual void _updateFly();
    virtual void _updateFlyDown();
    virtual void update();
    virtual void destroy();
    virtual void odbij();

private:
    void _fly();
};

extern TKamienList listaKamieni;

// A stone at (x, y) aimed at (dx, dy), appended to listaKamieni.
std::shared_ptr<TKamien> createKamien(int n, float x, float y, float dx, float dy, int size);
void _updateKamienie();
// Draws every stone, then leaves alpha blending, rotation 0, scale 1 and alpha 1.
void _drawKamienie();
int setupKamienie();
// Stones under way to the bag (the play screen's room test).
int stonesFlyingToWorek();

void resetKamienie();
