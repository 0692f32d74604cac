#pragma once
// A hidden-object scene: its pictures, the objects hidden in it, the group the player is
// asked to find, and the scenery around them (pulsing lights, mask pictures in front of
// the objects, leaf areas, bubbles, swimming background elements). Only the level file
// (ho_level_file.h) builds one; the profile keeps it as its level in progress and the
// screen plays the same object, so a save writes what the player did.
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_world.h"
#include "effects/back_element.h"
#include "gui/core/dim.h"
#include "minigames/hidden_object/ho_object.h"
#include "platform/graphics.h"

using THObjectList = std::vector<std::shared_ptr<THObject>>;

// The objects the player must find and where the found counter stands.
class THOGroup {
public:
    virtual ~THOGroup() = default;
    // Entries may be empty (an id of the file that no object has); they count in the total.
    THObjectList objects;
    // The id the file gave each entry, kept so an unknown id is written back as it was read.
    std::vector<int> ids;
    int x = 0;  // centre of the counter text
    int y = 0;  // its top

    virtual int isObject(int id) const;
    virtual int getFound() const;
};

// A glow added onto the scene whose strength swells and ebbs at random moments.
class TLevelLight {
public:
    virtual ~TLevelLight() = default;
    std::string url;
    TImage img;
    float a = 0;   // strength, the drawing alpha
    float da = 0;  // target, 0 or 1
    int time = 0;  // the target flips after this (ms clock)
    int x = 0, y = 0;

    // Steps the pulse, then draws additively (a light only moves while it is drawn).
    virtual int draw();
    virtual int update();
    // Flips the target now; the timed flip still comes at `time`.
    virtual int reset();
};

// A plain picture drawn over the hidden objects (it does not stop clicks).
class TMaskImg {
public:
    virtual ~TMaskImg() = default;
    TImage img;
    float x = 0, y = 0;
    std::string url;
    virtual int draw();
};
// Loads the picture from bDir + url (a missing one is reported and never drawn).
std::shared_ptr<TMaskImg> createMaskImg(const std::string& url, float x, float y);

class THOLevel : public TLevelInProgress {
public:
    TImage background;
    std::string backGroundUrl;
    std::string drugiPlanUrl;
    TImage drugiPlan;  // second plane over the background elements, under the objects
    int titleN = 0;    // line of txt/<lang>/hiddenObject.txt
    std::string guiUrl;  // the bottom panel
    THObjectList objects;
    std::vector<std::shared_ptr<TMaskImg>> masks;
    std::vector<std::shared_ptr<TLevelLight>> lights;
    // Leaf areas: x, y, w, h; x1 the interval in ms, x2 when the next leaf is due.
    std::vector<std::shared_ptr<TDim>> leaves;
    std::shared_ptr<THOGroup> group = std::make_shared<THOGroup>();
    TBackElementList obiektyTla;
    std::string title;
    int time = 0;   // play time in frames
    int banki = 0;  // ms between bubble groups; 0 none

    virtual std::shared_ptr<THObject> getObjectById(int id) const;
    virtual int completed() const;

    std::string gameType() const override { return "HIDDEN-OBJECT"; }
    // A scene that cannot be won is no level to play (see ho_playable.h).
    bool playable() const override;
    bool saveTo(const std::string& path) const override;
};
