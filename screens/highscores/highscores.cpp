#include "screens/highscores/highscores.h"

#include <new>

#include "app/folders.h"
#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/system.h"

THighscores highscores;

void resetHighscores() {
    highscores.~THighscores();
    new (&highscores) THighscores();
}

std::string THighscores::filePath() { return userPath("/data/localHighScores.dat"); }

int THighscores::setup() {
    _setupGui();
    _setupLocal();
    _setupGlobal();
    return 0;
}

int THighscores::_setupGui() {
    img = LoadImage(bDir + "gfx/gui/highscores/back.jpg");
    tabFont = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 24);
    titleFont = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 30);
    auto txt = loadTxtFile(bDir + "txt/" + lang + "/highscores.txt");
    txtTitleLocal = readTxtData(txt, 1);
    txtTitleGlobal = readTxtData(txt, 2);
    return 0;
}

int THighscores::_setupLocal() {
    localHighScores = std::make_shared<TScoreTab>();
    localHighScores->title = txtTitleLocal;
    if (files::fileType(filePath()) == files::FILETYPE_NONE) {
        saveHighScores();
        return 0;
    }
    std::string problem;
    auto text = readUserFile(filePath(), problem);
    if (!text) {
        // Not a file the game wrote, or one it may not open: it is left as it is.
        keepFile_ = true;
        Print("The high-score file \"" + filePath() + "\" " + problem +
              ". The table starts empty and the file is left as it is.");
        return 0;
    }
    auto file = std::make_shared<TQCMFile>();
    file->_path = filePath();
    file->parse(std::move(*text));
    localHighScores->list = readScoreRows(*file);
    return 0;
}

int THighscores::_setupGlobal() { return 0; }

int THighscores::saveHighScores() {
    if (!localHighScores || keepFile_) return 0;
    if (scoreRowsFile(localHighScores->list)->save(filePath()) != 0) {
        Print("The high scores could not be written to " + filePath() + "; the old file stays.");
        return -1;
    }
    return 0;
}

int THighscores::setHighScoresTab(std::shared_ptr<TScoreTab> tab) {
    oldHighScore = aktHighscore;
    aktHighscore = std::move(tab);
    if (oldHighScore) oldHighScore->dAlpha = 0;
    if (aktHighscore) {
        aktHighscore->dAlpha = 1;
        aktHighscore->alpha = 0;
    }
    return 0;
}

int THighscores::prepare(TEkran* caller) {
    ekran = caller;
    alpha = 0;
    dAlpha = 1;
    setHighScoresTab(localHighScores);
    return 0;
}

int THighscores::mainLoop(TEkran* caller) {
    prepare(caller);
    do {
        Cls();
        update();
        draw();
        myFlip(1, this);
        if (KeyHit(KEY_ESCAPE) || mouse.leftPressed || KeyHit(KEY_ENTER)) dAlpha = 0;
    } while (alpha != 0 || dAlpha != 0);
    FlushMouse();
    FlushKeys();
    mouse.clear();
    return 0;
}

int THighscores::update() {
    _updateSystem(0);
    _updateAlpha();
    _updateGui();
    _updateScores();
    return 0;
}

int THighscores::_updateScores() {
    if (oldHighScore) oldHighScore->update();
    if (aktHighscore) aktHighscore->update();
    return 0;
}

int THighscores::draw() {
    _drawBack();
    _drawTabs();
    _drawMouse();
    return 0;
}

int THighscores::_drawBack() {
    if (ekran) ekran->draw();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetAlpha(alpha);
    SetRotation(0);
    if (img) DrawImage(img, 0, 0);
    if (aktHighscore) {
        SetImageFont(titleFont);
        const int w = TextWidth(aktHighscore->title);
        TScoreTab::drawInfoText(aktHighscore->title, float(511 - w / 2), 10, alpha);
    }
    return 0;
}

int THighscores::_drawTabs() {
    SetImageFont(tabFont);
    if (oldHighScore) oldHighScore->draw(alpha);
    if (aktHighscore) aktHighscore->draw(alpha);
    return 0;
}

int THighscores::checkLocalHighScores() {
    if (!localHighScores || !profileManager.profile) return 0;
    const auto lowest = localHighScores->getLowestScoreData();
    if (!lowest || profileManager.profile->score > lowest->score)
        localHighScores->addNewEntry(*profileManager.profile);
    return 0;
}

int THighscores::checkGlobalHighScores() { return 0; }

int THighscores::checkHighScores() {
    checkLocalHighScores();
    checkGlobalHighScores();
    return 0;
}
