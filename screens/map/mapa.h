#pragma once
// The stage map ("MAPA"): a sea chart with one marker per stage. It shows which stages the
// player may open, bursts gold around a stage just reached, points a bobbing arrow at the
// current stage, and opens the stage screen over itself; "playnext" goes on with the
// progression, "menu" returns to the main menu. Around it: sparkles on the water, waves,
// clouds and a shark now and then.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "app/profile/profile_types.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"
#include "screens/panels/papirus.h"

class TProfile;

class TMapStage {
public:
    virtual ~TMapStage() = default;
    int32_t id = 0;  // stage number
    std::string title;
    int32_t wolny = 0;  // 1: unlocked picture and hover
    float x = 0, y = 0;
    float overA = 0, dOverA = 0;
    int32_t isAvailable = 0;  // 1: may be opened
    int32_t won = 0;          // 1: every level of the stage won (the check)
    int32_t newTime = 0;      // the new-stage burst runs until then
    int32_t partTime = 0;     // next burst emission

    // Shared by every marker; the size of `locked` is every marker's hover box.
    static TImage locked;
    static TImage unlocked;
    // A stage already sailed (a check on the coin), and the parchment label under a name.
    static TImage done;
    static TImage label;

    virtual TImage getProperImg() const;
    // The marker: an open stage with its cross, one whose levels are all won with its
    // check, one not reached yet dull and faded.
    virtual int draw();
    // The name on its parchment label; drawn after the clouds and the burst, so nothing
    // covers it.
    virtual int drawLabel();
    // 1 while the mouse is over the marker.
    virtual int update();
    virtual int updateAsNew();
    virtual int resetAsNew();
};
using TMapStageList = std::vector<std::shared_ptr<TMapStage>>;

// The map's ambience: sea sparkles, waves, clouds and the burst particles. The effects
// layer may install its own; the built-in one draws simple sprites from the map's folder.
class TMapAmbience {
public:
    virtual ~TMapAmbience() = default;
    virtual void setup() {}
    virtual void seaSparkle(float /*x*/, float /*y*/) {}
    virtual int sparkleCount() const { return 0; }
    virtual void updateSparkles() {}
    virtual void drawSparkles() {}
    virtual void wave(float /*x*/, float /*y*/, float /*direction*/) {}
    virtual void updateWaves() {}
    virtual void drawWaves() {}
    virtual void updateClouds(float /*wind*/) {}
    virtual void drawClouds() {}
    // The golden burst of a new stage, in the global particle list.
    virtual void burstParticle(float /*x*/, float /*y*/, int /*r*/, int /*g*/, int /*b*/) {}
    virtual void updateBurst() {}
    virtual void drawBurst() {}
    // The map drops the burst when its loop ends.
    virtual void dropBurst() {}
};
// The built-in ambience.
std::unique_ptr<TMapAmbience> createBasicMapAmbience();

// What the stage screen answers: "PLAY" with the chosen entry, or "" when the player
// went back.
struct TStageChoice {
    std::string result;
    std::shared_ptr<TLevelData> wybrany;
};
// Runs the stage screen over the map for a marker. Until the real stage screen installs
// itself, a stand-in plays the stage's first level not yet passed.
using TStageScreenRunner = std::function<TStageChoice(TMapStage& stage)>;
void setStageScreenRunner(TStageScreenRunner runner);
TStageChoice runStageScreen(TMapStage& stage);

class TMapa : public TEkran {
public:
    TMapa();

    TMapStageList mapStages;
    int32_t morzeTime = 0;
    int32_t falaTime = 0;
    TImage img;    // the sea chart, centred
    // Where the chart is open water (one flag a pixel, rows from the top), made once from its
    // pixels so they need not stay in memory.
    std::vector<bool> sea;
    std::weak_ptr<TImageData> seaOf;
    TImage panel;  // the bottom panel
    float windDir = 1;
    std::shared_ptr<TMapStage> newStage;
    // The stage where the player's voyage goes on (its label gilded); 0 for none. Not the
    // profile's stage, which a level played again moves back.
    int32_t voyageStage = 0;
    TImage arrowImg;
    float arX = 0, ary = 0;
    float arP = 0, dArp = 1;
    std::shared_ptr<TMapStage> overStage;
    std::array<std::shared_ptr<TDim>, 8> waveDim{};
    TImage rekinImg;
    float sharkA = 0, sharkPer = 0;
    float sharkX = 0, sharkY = 0;
    int32_t sharkTime = 0;
    float sharkAdy = 0;
    std::array<std::shared_ptr<TDim>, 5> sharkDim{};
    TImageFont font2;  // marker titles
    TImageFont font3;  // panel text
    std::string txtLevel;
    std::unique_ptr<TMapAmbience> ambience;
    TPapirus pap;  // updated and drawn every frame; nothing on the map starts it yet

    int setup() override;
    int draw() override;
    int update() override;

    virtual int _setupSelf();
    virtual int _setupChmury();
    virtual int _setupRekin();
    virtual int _setupStages();
    virtual int _setupTxt();
    virtual int _setupDims();
    virtual std::shared_ptr<TMapStage> getMapStage(int32_t id) const;
    virtual int _drawBack();
    virtual int _drawChmury();
    virtual int _drawPanel();
    virtual int _drawRekin();
    virtual int _drawArrow();
    virtual int _drawStages();
    virtual int _updateMorze();
    virtual int _updateEfekty();
    virtual int _updateRekin();
    virtual int _updateStages();
    virtual int _updateNewStage();
    virtual int _updateArrow();
    virtual int updateFromOtherScreen();
    virtual int clickStage(TMapStage& stage);
    virtual int _prepareSelf();
    virtual int _prepareClouds();
    virtual int _prepareRekin();
    virtual int _prepareStages();
    virtual int _prepareSpecNewStage(const std::shared_ptr<TMapStage>& stage);
    virtual int _prepareNewStage();
    virtual int _prepareStagesAvailable();
    // Which markers carry the check and which one is the voyage's.
    virtual int _prepareMarks();
    virtual int prepare();
    virtual std::string mainLoop();
    virtual int _controlGUI();
    virtual int goPlayNext();
    virtual int goMenu();

    // The profile's way to mark a stage as newly reached (0 clears it).
    void setNewStageById(int32_t stageId);
    // Back to a freshly made map (no markers, no images): for tests.
    void reset();
};

extern TMapa mapa;
