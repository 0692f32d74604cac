// The music operations of the sound service, carried out by app/music/music.h.
#include "app/music/music.h"
#include "gui/frame/deltatime.h"

int TGlobalSnd::_setupMusic() { return music::setupMusic(*this); }
int TGlobalSnd::_setupMusicsQue() { return music::setupMusicsQue(*this); }
int TGlobalSnd::_updateMusic() { return music::update(*this, delta); }
int TGlobalSnd::playMyMusic(const std::string& name) { return music::playMyMusic(*this, name); }
int TGlobalSnd::playLevelMusic() { return music::playLevelMusic(*this); }
int TGlobalSnd::playRandomLevelMusic() { return music::playRandomLevelMusic(*this); }
int TGlobalSnd::setMusicVol(float volume) { return music::setMusicVol(*this, volume); }
std::shared_ptr<TMusicData> TGlobalSnd::getMusicData(const std::string& name) {
    return music::getMusicData(*this, name);
}
int TGlobalSnd::musicGoDown() { return music::musicGoDown(*this); }
int TGlobalSnd::musicGoUp() { return music::musicGoUp(*this); }
int TGlobalSnd::wyciszAktualnaMuzyczke() { return 0; }
