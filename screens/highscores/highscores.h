#pragma once
// The developer's high-score screen (H on the title screen with the developer switch): the
// local table over a full-screen board, faded in over the screen that opened it. It also
// owns the table and its file: read at loading, written with every save of the game data.
//
//   loading:        highscores.setup();
//   saveGameDatas:  highscores.saveHighScores();
//   title screen:   highscores.mainLoop(this);
#include <memory>
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"
#include "screens/highscores/score_table.h"

class THighscores : public TEkran {
public:
    TImage img;
    std::shared_ptr<TScoreTab> localHighScores;
    std::shared_ptr<TScoreTab> globalHighScores;  // nothing makes it
    std::shared_ptr<TScoreTab> aktHighscore;      // shown
    std::shared_ptr<TScoreTab> oldHighScore;      // fading out
    TEkran* ekran = nullptr;                      // the caller, drawn behind
    TImageFont tabFont;
    TImageFont titleFont;
    std::string txtTitleLocal;
    std::string txtTitleGlobal;

    int setup() override;
    // Writes the local table, unless the file could not be read at set-up. A write that
    // fails is reported and the old file stays; the game goes on. -1 then, else 0.
    virtual int saveHighScores();
    virtual int _setupGui();
    virtual int _setupLocal();
    virtual int _setupGlobal();
    virtual int _drawBack();
    virtual int _drawTabs();
    virtual int _updateScores();
    virtual int setHighScoresTab(std::shared_ptr<TScoreTab> tab);
    virtual int prepare(TEkran* caller);
    // Until Esc, Enter or a left click has faded it out again; returns 0.
    virtual int mainLoop(TEkran* caller);
    // Offers the current player's score to the local table.
    virtual int checkLocalHighScores();
    virtual int checkGlobalHighScores();
    virtual int checkHighScores();
    int draw() override;
    int update() override;

    // The file's path below the user folder.
    static std::string filePath();

private:
    // The file could not be read (too large, not a regular file, not allowed): never
    // overwritten, so nothing in it is lost.
    bool keepFile_ = false;
};

extern THighscores highscores;

// A fresh screen and table: for tests.
void resetHighscores();
