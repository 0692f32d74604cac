#pragma once
// A vertical scroll slider from a theme's slider pieces: an up button above a track, a
// down button below it and a thumb one position long that the pointer drags along the
// track. ySuwaka, the thumb's offset from the top of the track, is its state.
#include <memory>
#include <string>

#include "gui/core/guiobject.h"

class TTheme;

class TSuwak : public TGuiObject {
public:
    int ilosc = 0;       // positions the track is divided into
    int ySuwaka = 0;     // thumb offset in pixels from the top of the track
    float dlugosc = 0;   // thumb length: track height / ilosc
    float skala = 0;     // vertical stretch of the thumb's middle piece
    int _dir = 0;        // 0: vertical, the only direction handled
    std::shared_ptr<TTheme> theme;
    int _over1 = 0, _over2 = 0;        // pointer over the up / down button
    int _clicked1 = 0, _clicked2 = 0;
    int _holded1 = 0, _holded2 = 0;
    int _suwakHolded = 0;              // thumb being dragged
    int _suwakOver = 0;

    virtual int obliczSkale();
    int updateMe(float x, float y) override;
    virtual int updateSuwak(int x, int y);
    virtual int wyznaczPozycjeY(int y);
    int draw(float x, float y) override;
    virtual int drawSuwak(int x, int y);
    // The position the thumb stands on, 0 .. ilosc - 1 (the top stop 0, the bottom stop
    // the last).
    int position() const;
    // The thumb offset at which a drag stops at the bottom of the track.
    int bottomStop() const;
};

// x: the track's centre line, y: its top, h: its height. ilosc below 1 counts as 1.
std::shared_ptr<TSuwak> createSuwak(const std::string& name, int x, int y, int h, int ilosc,
                                    std::shared_ptr<TTheme> theme);
