#include "gui/widgets/anim.h"

#include <cstdint>

#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "platform/strings.h"
#include "platform/system.h"

int animNowMs() { return int(appTimer()); }

int animDueTime(int now, int interval) {
    const int64_t t = int64_t(now) + int64_t(interval);
    return t > INT32_MAX ? INT32_MAX : (t < INT32_MIN ? INT32_MIN : int(t));
}

// ---- TAnimData ----------------------------------------------------------------------------

int TAnimData::dodajNazwe(const std::string& name) {
    const std::string key = str::upper(name);
    for (int i = 0; i < kMaxAnims; ++i) {
        if (animName[size_t(i)].empty()) {
            animName[size_t(i)] = key;
            ++anims;
            return i;
        }
        if (animName[size_t(i)] == key) return i;
    }
    errorMsg("Nie mozna dodac wiecej niz 10 animacji!");
    return 0;
}

int TAnimData::getAnimByName(const std::string& name) {
    const std::string key = str::upper(name);
    for (int i = 0; i < kMaxAnims; ++i)
        if (animName[size_t(i)] == key) return i;
    errorMsg("Podanej nazwy animacji nie ma na liscie animacji obiektu! Nazwa :" + name);
    return 0;
}

int TAnimData::liczbaKlatek() {
    int best = 0;
    for (int a = 0; a < kMaxAnims; ++a)
        for (int p = 0; p < frameCount(a); ++p)
            if (frameN[size_t(a)][size_t(p)] > best) best = frameN[size_t(a)][size_t(p)];
    animFrames = best;
    return best;
}

bool TAnimData::addFrame(int anim, int frame) {
    if (anim < 0 || anim >= kMaxAnims) return false;
    int& n = frames[size_t(anim)];
    if (n < 0 || n >= kMaxFrames) return false;
    frameN[size_t(anim)][size_t(n)] = frame;
    ++n;
    maxFrames[size_t(anim)] = n;
    return true;
}

int TAnimData::frameCount(int anim) const {
    if (anim < 0 || anim >= kMaxAnims) return 0;
    const int n = maxFrames[size_t(anim)];
    return n < 0 ? 0 : (n > kMaxFrames ? kMaxFrames : n);
}

int TAnimData::frameAt(int anim, int pos) const {
    if (pos < 0 || pos >= frameCount(anim)) return 0;
    return frameN[size_t(anim)][size_t(pos)];
}

// ---- TQGMAnimation ------------------------------------------------------------------------

std::vector<std::string> TQGMAnimation::_pobierzDeklaracje(const std::string& schemat) {
    const std::string s = str::trim(schemat);
    if (s.empty() || s[0] != '[') errorMsg("Nieprawidlowa definicja schematu : " + s);
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == '[') {
            if (!cur.empty()) out.push_back(str::trim(cur));
            cur.clear();
            cur.push_back('[');
        } else {
            cur += c;
        }
    }
    if (!cur.empty() && cur != "[") out.push_back(str::trim(cur));
    return out;
}

int TQGMAnimation::_czyZawiera(const std::string& s, const std::vector<std::string>& list) {
    for (const auto& x : list)
        if (x == s) return 1;
    return 0;
}

int TQGMAnimation::interpretujSchemat(const std::string& schemat) {
    std::vector<std::shared_ptr<TQGMAnim>> list;
    std::vector<std::string> distinct;
    std::shared_ptr<TQGMAnim> normal;
    bool overflowReported = false;
    for (const std::string& decl : _pobierzDeklaracje(schemat)) {
        auto anim = std::make_shared<TQGMAnim>();
        bool isNormal = false;
        const auto headers = wyciagnijZnaczniki(decl, "[", "]", 0);
        if (!headers.empty()) {
            for (const std::string& piece : rozbijTekst(headers[0], " ")) {
                if (str::upper(piece) == "LOOP") {
                    anim->loop = 1;
                } else if (jestCalkowita(piece)) {
                    anim->interwal = str::toInt(piece);
                } else {
                    anim->id = str::upper(piece);
                    isNormal = anim->id == "NORMAL";
                }
            }
        }
        const std::string framesText = str::trim(usunZnaczniki(decl, "[", "]", 0));
        for (const std::string& piece : rozbijTekst(framesText, " ")) {
            if (anim->maxFrames >= TQGMAnim::kMaxFrames) {
                if (!overflowReported)
                    errorMsg("Animation " + anim->id + " has more than 100 frames; the rest is left out.");
                overflowReported = true;
                break;
            }
            anim->frame[size_t(anim->maxFrames++)] = str::toInt(piece);
            if (!_czyZawiera(piece, distinct)) distinct.push_back(piece);
        }
        if (isNormal) normal = anim;
        list.push_back(anim);
    }
    animsList = std::move(list);
    allFrames = int(distinct.size());
    if (normal)
        playAnim(normal);
    else
        errorMsg("Schemat :" + schemat + " - nie uwzglednil animacji NORMAL!");
    return 0;
}

int TQGMAnimation::loadGFX(const std::string& url) {
    gfx = nullptr;
    TImage whole = LoadImage(url);
    if (!whole) {
        Print("Missing animation strip : " + url);
        return 0;
    }
    if (allFrames <= 0) {
        // Without a current animation the scheme has been reported already.
        if (aktAnim)
            errorMsg("Animation strip " + url + " cannot be cut: its scheme names no frames.");
        return 0;
    }
    const int cw = ImageWidth(whole) / allFrames;
    gfx = LoadAnimImage(url, cw, ImageHeight(whole), 0, allFrames);
    return 0;
}

int TQGMAnimation::playAnim(const std::shared_ptr<TQGMAnim>& anim) {
    if (!anim) {
        errorMsg("Animacja ktora chcesz wyswietlic, nie istnieje!");
        return 0;
    }
    _frame = 0;
    _maxFrames = anim->maxFrames;
    aktAnim = anim;
    _animTime = animDueTime(animNowMs(), anim->interwal);
    _wykonano = 0;
    return 0;
}

int TQGMAnimation::playAnim(const std::string& name) {
    std::shared_ptr<TQGMAnim> found;
    if (!name.empty()) {
        const std::string key = str::upper(name);
        for (const auto& a : animsList)
            if (a && str::upper(a->id) == key) {
                found = a;
                break;
            }
    }
    return playAnim(found);
}

int TQGMAnimation::updateMe(float, float) {
    if (!aktAnim) return 0;
    const int now = animNowMs();
    if (now > _animTime) {
        _animTime = animDueTime(now, aktAnim->interwal);
        ++_frame;
        if (_frame >= _maxFrames) {
            _wykonano = 1;
            _frame = aktAnim->loop ? 0 : (_maxFrames > 0 ? _maxFrames - 1 : 0);
        } else {
            _wykonano = 0;
        }
    }
    return 0;
}

int TQGMAnimation::currentCell() const {
    if (!aktAnim || _frame < 0 || _frame >= aktAnim->maxFrames || _frame >= TQGMAnim::kMaxFrames)
        return -1;
    const int cell = aktAnim->frame[size_t(_frame)];
    if (cell < 0 || cell >= ImageFrames(gfx)) return -1;
    return cell;
}

int TQGMAnimation::draw(float, float) {
    if (!aktAnim) return 0;
    SetScale(_scale, _scale);
    SetAlpha(_alpha);
    const int cell = currentCell();
    if (cell >= 0) DrawImage(gfx, dim->x, dim->y, cell);
    return 0;
}

std::shared_ptr<TQGMAnimation> createAnimation(const std::string& name, const std::string& url,
                                               float x, float y, const std::string& schemat,
                                               int visible, int active) {
    auto a = std::make_shared<TQGMAnimation>();
    a->dim = createSimpleDim(int32_t(x), int32_t(y));
    a->interpretujSchemat(schemat);
    a->loadGFX(bDir + url);
    a->_id = name;
    a->_a = active;
    a->_v = visible;
    a->_class = QGM_anim;
    return a;
}

std::shared_ptr<TQGMAnimation> TQGMAnimation::createFromList(const std::string& name,
                                                             const TEntryList& entries) {
    int x = 0, y = 0, visible = 1, active = 1;
    std::string schemat, gfxPath;
    for (const auto& e : entries) {
        if (!e) continue;
        const std::string key = str::upper(e->_typ);
        if (key == "POSITION") {
            const auto p = rozbijTekst(usunCytat(e->_value), " ");
            x = p.size() > 0 ? str::toInt(p[0]) : 0;
            y = p.size() > 1 ? str::toInt(p[1]) : 0;
        } else if (key == "SCHEMAT") {
            schemat = usunCytat(e->_value);
        } else if (key == "GFX") {
            gfxPath = usunCytat(e->_value);
        } else if (key == "VISIBLE") {
            visible = str::upper(e->_value) == "TRUE" ? 1 : 0;
        } else if (key == "ACTIVE") {
            active = str::upper(e->_value) == "TRUE" ? 1 : 0;
        }
    }
    return createAnimation(name, gfxPath, float(x), float(y), schemat, visible, active);
}
