#include "gui/widgets/button.h"

#include "gui/core/gui.h"
#include "gui/core/qgmfont.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "gui/widgets/text.h"
#include "platform/strings.h"

namespace {

int pieceInt(const std::vector<std::string>& p, size_t i) {
    return i < p.size() ? str::toInt(p[i]) : 0;
}

std::vector<std::string> numbers(const std::string& value) {
    return rozbijTekst(usunCytat(value), " ");
}

void setColour(const std::shared_ptr<TRGB>& c) { SetColor(c->r, c->g, c->b); }

}  // namespace

// ---- declaration ----------------------------------------------------------------------------

std::shared_ptr<TButton> TButton::CreateFromList(const std::string& name,
                                                 const TEntryList& entries, TGui* gui) {
    std::string typ = "SIMPLE_BUTTON", gfx, scheme, txt, addGfx;
    int dir = 0, shadow = 0, x = 0, y = 0, visible = 1, active = 1;
    int addDx = 0, addDy = 0, overDx = 0, overDy = 0;
    TImageFont font;
    std::shared_ptr<TRGB> colour = createRGB(255, 255, 255);
    std::shared_ptr<TRGB> outline = createRGB(255, 255, 255);
    for (const auto& e : entries) {
        if (!e) continue;
        const std::string key = str::upper(e->_typ);
        const std::string& v = e->_value;
        if (key == "TYP") {
            typ = v;
        } else if (key == "GFX") {
            gfx = str::replaceAll(usunCytat(v), "#LANG#", lang);
        } else if (key == "DIR") {
            dir = v == "H" ? 0 : 1;
        } else if (key == "SCHEMAT") {
            scheme = usunCytat(v);
        } else if (key == "TXT") {
            txt = usunCytat(v);
            if (txt.size() > 1 && txt.front() == '[' && txt.back() == ']')
                txt = TText::odczytajTekst(txt);
        } else if (key == "FONT") {
            auto f = TQGMFont::getByID(v, gui);
            font = f ? f->_font : nullptr;
            if (!f) errorMsg("Nie znaleziono czcionki : " + v);
        } else if (key == "RGB") {
            const auto p = numbers(v);
            const int r = pieceInt(p, 0);
            colour = r == -1 ? nullptr : createRGB(r, pieceInt(p, 1), pieceInt(p, 2));
        } else if (key == "OUTLINE") {
            const std::string o = usunCytat(v);
            if (o == "NONE") {
                outline = nullptr;
            } else {
                const auto p = rozbijTekst(o, " ");
                outline = createRGB(pieceInt(p, 0), pieceInt(p, 1), pieceInt(p, 2));
            }
        } else if (key == "SHADOW") {
            shadow = str::toInt(v);
        } else if (key == "ADDGFX") {
            addGfx = usunCytat(v);
        } else if (key == "ADDDIM") {
            const auto p = numbers(v);
            addDx = pieceInt(p, 0);
            addDy = pieceInt(p, 1);
        } else if (key == "OVERAD") {
            const auto p = numbers(v);
            overDx = pieceInt(p, 0);
            overDy = pieceInt(p, 1);
        } else if (key == "POSITION") {
            const auto p = numbers(v);
            x = pieceInt(p, 0);
            y = pieceInt(p, 1);
        } else if (key == "VISIBLE") {
            visible = str::upper(v) == "TRUE" ? 1 : 0;
        } else if (key == "ACTIVE") {
            active = str::upper(v) == "TRUE" ? 1 : 0;
        }
    }

    const float dx = float(addDx), dy = float(addDy);
    if (typ == "SIMPLE_BUTTON") return button(name, gfx, x, y, visible, active);
    if (typ == "ANIM_BUTTON") return animButton(name, gfx, x, y, scheme, dir, visible, active);
    if (typ == "BLEND_BUTTON") return button1(name, gfx, x, y, visible, active);
    if (typ == "FSTEP_BUTTON") return fStepButton(name, gfx, x, y, 0, visible, active);
    if (typ == "FSTEP_BUTTON_ZERKON") return fStepZerkonButton(name, gfx, x, y, 0, visible, active);
    if (typ == "FSTEP_BLEND_BUTTON") return fStepBlendButton(name, gfx, x, y, 0, visible, active);
    if (typ == "TEXT_BUTTON")
        return textButton(name, txt, font, x, y, colour, outline, visible, active, 0, 0, 0);
    if (typ == "TEXT_LIGHT_BUTTON")
        return textLightButton(name, txt, font, x, y, colour, outline, visible, active, 0, 0, 0);
    if (typ == "TEXT_SPEC_BUTTON1")
        return specTextButton1(name, txt, font, x, y, colour, outline, visible, active);
    if (typ == "TEXT_SPEC_BUTTON2")
        return specTextButton2(name, gfx, txt, font, x, y, colour, outline, visible, active, dx, dy);
    if (typ == "TEXT_SPEC_BUTTON3")
        return specTextButton3(name, gfx, txt, font, x, y, colour, outline, visible, active, dx, dy);
    if (typ == "TEXT_SPEC_BUTTON4")
        return specTextButton4(name, gfx, txt, font, x, y, colour, outline, visible, active, dx, dy);
    if (typ == "TEXT_SPEC_BUTTON5") {
        auto b = specTextButton5(name, gfx, txt, font, x, y, colour, outline, visible, active, dx, dy);
        b->_adOverX = float(overDx);
        b->_adOverY = float(overDy);
        return b;
    }
    if (typ == "TEXT_SPEC_BUTTON6") {
        auto b = textButton(name, txt, font, x, y, colour, outline, visible, active, 0, 0, 0);
        b->shadowed = shadow;
        b->_typ = BT_TEXT_SPEC6;
        return b;
    }
    if (typ == "TEXT_SPEC_BUTTON7")
        return specTextButton6(name, gfx, addGfx, txt, font, x, y, colour, outline, visible, active,
                               dx, dy);
    errorMsg("Unknown button type : '" + typ + "' !");
    return nullptr;
}

int TButton::setDeltaTime(int delay, int anim) {
    if (anim >= 0 && anim < TAnimData::kMaxAnims) _animData.frameDelta[size_t(anim)] = delay;
    return 0;
}

int TButton::interpretujSchemat(const std::string& scheme, int dir) {
    _dir = dir;
    int current = -1;
    bool normalSeen = false, overflowReported = false;
    _activeFlag = _overFlag = _unactiveFlag = 0;
    for (const std::string& raw : usunPuste(rozbijTekst(scheme, " ", "[", "]"))) {
        if (!raw.empty() && jestCalkowita(raw)) {
            // A frame before the first name belongs to no animation: left out.
            if (current >= 0 && !_animData.addFrame(current, str::toInt(raw)) && !overflowReported) {
                errorMsg("Animation " + _animData.animName[size_t(current)] +
                         " has more than 100 frames; the rest is left out.");
                overflowReported = true;
            }
            continue;
        }
        std::string name = str::trim(raw);
        int delay = 500;
        const auto marks = wyciagnijZnaczniki(name, "(", ")", 1);
        if (marks.size() == 1) {
            delay = str::toInt(marks[0]);
            name = str::trim(usunZnaczniki(name, "(", ")", 1));
        }
        current = _animData.dodajNazwe(name);
        _animData.frameDelta[size_t(current)] = delay;
        const std::string up = str::upper(name);
        if (up == "ACTIVE") {
            _activeFlag = 1;
            _animActive = current;
        } else if (up == "OVER") {
            _overFlag = 1;
            _animOver = current;
        } else if (up == "UNACTIVE") {
            _unactiveFlag = 1;
            _animUnActive = current;
        } else if (up == "NORMAL") {
            normalSeen = true;
            _animNormal = current;
        }
    }
    if (!normalSeen)
        errorMsg("Blad! Nie okreslono znacznika animacji [NORMAL] w schemacie:" + scheme);
    frames = _animData.liczbaKlatek();
    playAnim("NORMAL");
    return 0;
}

int TButton::CountDims() {
    if (_typ == BT_TEXT || _typ == BT_TEXT_LIGHT) {
        SetImageFont(_font);
        SetScale(1, 1);
        const float w = float(TextWidth(_txt)), h = float(TextHeight(_txt));
        dim->w = w;
        dim->h = h;
        dim->x1 = dim->x - w / 2;
        dim->y1 = dim->y - h / 2;
        dim->x2 = dim->x + w / 2;
        dim->y2 = dim->y + h / 2;
        return 0;
    }
    // Caption-only kinds hold no image to measure: their box stays as made.
    if (!_image && (_typ == BT_TEXT_SPEC1 || _typ == BT_TEXT_SPEC6)) return 0;
    float hx = 0, hy = 0;
    GetImageHandle(_image, hx, hy);  // a missing image counts as size 0
    dim->x1 = dim->x - hx;
    dim->y1 = dim->y - hy;
    dim->x2 = dim->x1 + float(ImageWidth(_image));
    dim->y2 = dim->y1 + float(ImageHeight(_image));
    return 0;
}

const std::u32string& TButton::captionChars() {
    if (_cpSource != _txt) {
        _cpSource = _txt;
        _cps = str::toCodePoints(_txt);
    }
    return _cps;
}

int TButton::countDims2() {
    SetImageFont(_font);
    SetScale(1, 1);
    float total = 0;
    for (char32_t c : captionChars()) total += float(TextWidth(str::fromCodePoint(c)) + 3);
    dim->w = total;
    dim->h = float(int(_textHeight));
    dim->x1 = dim->x - total / 2;
    dim->x2 = dim->x + total / 2;
    dim->y1 = dim->y - dim->h;
    dim->y2 = dim->y;
    return 0;
}

// ---- behaviour ------------------------------------------------------------------------------

int TButton::updateMe(float, float) {
    switch (_typ) {
        case BT_SIMPLE:
            _dButtonScale = _over ? 1.1f : 1.0f;
            if (_clicked) _buttonScale = 1;
            break;
        case BT_ANIM:
            sprawdzAnimacje();
            animUpdate();
            break;
        case BT_BLEND:
            _dButtonAlpha = _over ? 1.0f : 0.0f;
            guiEase(_buttonAlpha, _dButtonAlpha, wzr * delta);
            break;
        case BT_FSTEP:
            break;
        case BT_TEXT_SPEC1: {
            const std::u32string& cps = captionChars();
            const int n = int(cps.size());
            const int lim = n < kMaxLetters ? n : kMaxLetters;
            if (_over) {
                _chrN += 0.08f * delta;
                if (_chrN > float(n)) _chrN = 0;
                const int at = int(_chrN);
                if (at >= 0 && at < n && cps[size_t(at)] == U' ') _chrN += 1;
                const int wave = int(_chrN);
                for (int i = 0; i < lim; ++i) {
                    float s = 1;
                    if (i == wave) {
                        const float d = _chrN - float(i);
                        if (d < 0.5f)
                            s = 1 + d * _bigText;
                        else if (d == 0.5f)
                            s = 1.5f + 0.5f * _bigText;
                        else
                            s = 1.5f - (d - 0.5f) * _bigText;
                    }
                    _textScale[size_t(i)] = s;
                }
            } else {
                _chrN = 0;
                for (int i = 0; i < lim; ++i) _textScale[size_t(i)] = 1;
            }
            break;
        }
        case BT_FSTEP_BLEND: {
            const float wanted = float(fourStep());
            if (wanted != _new4StepB) {
                _old4StepB = _new4StepB;
                _newAlpha = 0;
            }
            _new4StepB = wanted;
            if (_newAlpha < 1) {
                _newAlpha += 0.05f * delta;
                if (_newAlpha > 1) _newAlpha = 1;
            }
            break;
        }
        case BT_FSTEP_ZERKON:
            _updateZerkonButton();
            break;
        case BT_TEXT_SPEC2:
        case BT_TEXT_LIGHT:
            _dButtonAlpha = _over ? 0.4f : 0.0f;
            if (_clicked || _holded) _buttonAlpha = 0.7f;
            break;
        case BT_TEXT_SPEC3:
            _dButtonScale = _over ? 1.3f : 1.0f;
            if (_clicked) _buttonScale = 1;
            break;
        case BT_TEXT:
        case BT_TEXT_SPEC4:
        case BT_TEXT_SPEC7:
        case BT_TEXT_SPEC5:
        case BT_TEXT_SPEC6: {
            const float target = _typ == BT_TEXT_SPEC5 ? 1.3f : (_typ == BT_TEXT_SPEC6 ? 2.0f : 1.1f);
            _dButtonScale = _over ? target : 1.0f;
            if (_clicked || _holded) _buttonScale = 1;
            break;
        }
        default:
            break;
    }
    updateScaleAndAlpha();
    return 0;
}

int TButton::updateScaleAndAlpha() {
    const float step = 0.05f * delta;
    guiEase(_buttonScale, _dButtonScale, step);
    guiEase(_buttonAlpha, _dButtonAlpha, step);
    return 0;
}

int TButton::_updateZerkonButton() {
    if (!(stan >= 1)) {
        _over = 0;
        _clicked = 0;
        _holded = 0;
    }
    return 0;
}

int TButton::sprawdzAnimacje() {
    const int a = aktAnim;
    if (a == _animActive) {
        if (_wykonano) {
            if (!_over)
                playAnim("NORMAL");
            else if (_overFlag)
                playAnim("OVER");
        }
        if (!_a && _unactiveFlag) playAnim("UNACTIVE");
    } else if (a == _animOver) {
        if (!_over) playAnim("NORMAL");
        if (_clicked && _activeFlag) playAnim("ACTIVE");
        if (!_a && _unactiveFlag) playAnim("UNACTIVE");
    } else if (a == _animNormal) {
        if (_clicked && _activeFlag) playAnim("ACTIVE");
        if (_over && _overFlag) playAnim("OVER");
        if (!_a && _unactiveFlag) playAnim("UNACTIVE");
    } else if (a == _animUnActive) {
        if (_wykonano) playAnim(!_a ? "UNACTIVE" : "NORMAL");
    } else {
        if (_wykonano) playAnim("NORMAL");
        if (!_a && _unactiveFlag) playAnim("UNACTIVE");
    }
    return 0;
}

int TButton::animUpdate() {
    const int now = animNowMs();
    if (now >= _animData.animTime) {
        _animData.animTime = animDueTime(now, _animData.frameDelta[size_t(aktAnim)]);
        ++aktFrame;
        if (aktFrame > _animData.frameCount(aktAnim) - 1) {
            aktFrame = 0;
            _wykonano = 1;
        }
    }
    return 0;
}

int TButton::playAnim(const std::string& name) {
    aktAnim = _animData.getAnimByName(name);
    if (aktAnim < 0 || aktAnim >= TAnimData::kMaxAnims) aktAnim = 0;
    aktFrame = 0;
    _wykonano = 0;
    _animData.animTime = animDueTime(animNowMs(), _animData.frameDelta[size_t(aktAnim)]);
    return 0;
}

int TButton::fourStep() const {
    if (_over) return (_clicked || _holded) ? 2 : 1;
    return _a ? 0 : 3;
}

int TButton::currentAnimCell() const {
    if (aktFrame < 0 || aktFrame >= _animData.frameCount(aktAnim)) return -1;
    const int cell = _animData.frameAt(aktAnim, aktFrame) - 1;
    if (cell < 0 || cell >= ImageFrames(_image)) return -1;
    return cell;
}

// ---- drawing --------------------------------------------------------------------------------

void TButton::setDrawColour() const {
    // A button without a caption colour draws its images untinted.
    if (rgb)
        setColour(rgb);
    else
        SetColor(255, 255, 255);
}

int TButton::drawZerkonBut(const TImage& image, float x, float y, int frame) {
    SetAlpha(_alpha * 0.2f);
    DrawImage(image, x, y, frame);
    SetAlpha(_alpha);
    const float fill = stan < 0 ? 0.0f : (stan > 1 ? 1.0f : stan);
    const int w = ImageWidth(image), h = ImageHeight(image);
    const float cut = float(h) * (1 - fill);
    DrawSubImageRect(image, x, y + cut, float(w), float(h) * fill, 0, cut, float(w),
                     float(h) * fill, float(w / 2), float(h / 2), frame);
    return 0;
}

int TButton::drawMyTextSpec(float x, float y) {
    float pen = x;
    int i = 0;
    for (char32_t c : captionChars()) {
        const float s = i < kMaxLetters ? _textScale[size_t(i)] : 1.0f;
        const std::string ch = str::fromCodePoint(c);
        const int cw = TextWidth(ch);
        SetScale(s, s);
        DrawText(ch, pen - float(cw) * s / 2, y - _textHeight * s / 2);
        pen += float(cw + 3);
        ++i;
    }
    return 0;
}

int TButton::draw(float x, float y) {
    // The bag's button only marks a place on the board; it is never drawn.
    if (_id.size() == 6 && str::equalsNoCase(_id, "BONUS6")) return 0;
    const float bx = dim->x, by = dim->y;
    const float X = bx + x, Y = by + y;
    SetAlpha(_alpha * _buttonAlpha);
    SetScale(_scale * _buttonScale, _scale * _buttonScale);
    setDrawColour();

    // Outline copies, then the caption in its own colour.
    auto layers = [this](float tx, float ty, bool letterByLetter) {
        auto put = [&](float px, float py) {
            if (letterByLetter)
                drawMyTextSpec(px, py);
            else
                DrawText(_txt, px, py);
        };
        if (outLine) {
            setColour(outLine);
            put(tx - 1, ty - 1);
            put(tx + 1, ty - 1);
            put(tx - 1, ty + 1);
            put(tx + 1, ty + 1);
        }
        if (rgb) {
            setColour(rgb);
            put(tx, ty);
        }
    };

    switch (_typ) {
        case BT_SIMPLE:
            SetAlpha(_alpha);
            SetScale(_scale * _buttonScale, _scale * _buttonScale);
            DrawImage(_image, X, Y, 0);
            break;
        case BT_ANIM: {
            SetAlpha(_alpha);
            SetScale(_scale, _scale);
            const int cell = currentAnimCell();
            if (cell >= 0) DrawImage(_image, X, Y, cell);
            break;
        }
        case BT_BLEND:
            SetAlpha(_alpha);
            SetBlend(ALPHABLEND);
            SetScale(_scale, _scale);
            DrawImage(_image, X, Y, 0);
            SetAlpha(_alpha * _buttonAlpha * 0.5f);
            SetBlend(LIGHTBLEND);
            SetScale(_scale, _scale);
            DrawImage(_image, X, Y, 0);
            break;
        case BT_FSTEP:
            SetAlpha(_alpha);
            SetScale(_scale, _scale);
            DrawImage(_image, X, Y, fourStep());
            break;
        case BT_FSTEP_BLEND:
            SetScale(_scale, _scale);
            SetAlpha(_alpha * _oldAlpha);
            DrawImage(_image, X, Y, int(_old4StepB));
            SetAlpha(_alpha * _newAlpha);
            DrawImage(_image, X, Y, int(_new4StepB));
            break;
        case BT_FSTEP_ZERKON:
            SetAlpha(_alpha);
            SetScale(_scale, _scale);
            drawZerkonBut(_image, X, Y, fourStep());
            break;
        case BT_TEXT_SPEC2:
        case BT_TEXT_SPEC3:
        case BT_TEXT_SPEC5:
        case BT_TEXT_SPEC6: {
            SetImageFont(_font);
            const int W = TextWidth(_txt), H = TextHeight(_txt);
            const float tx = float(int(bx - float(W) * _scale / 2 + x + dimAdX));
            const float ty = float(int(by - float(H) * _scale / 2 + y + dimAdY));
            if (_typ != BT_TEXT_SPEC6) {
                // The image (not for the glow-only kind), its light-blend glow, the caption.
                if (_typ == BT_TEXT_SPEC2) SetBlend(ALPHABLEND);
                SetAlpha(_alpha);
                SetScale(_scale, _scale);
                SetColor(255, 255, 255);
                if (_typ != BT_TEXT_SPEC5) DrawImage(_image, X, Y, 0);
                SetBlend(LIGHTBLEND);
                SetAlpha(_alpha * (_typ == BT_TEXT_SPEC2 ? _buttonAlpha : _buttonScale - 1));
                DrawImage(_image, X, Y, 0);
                SetBlend(ALPHABLEND);
                SetAlpha(_alpha);
                layers(tx, ty, false);
            } else {
                if (shadowed) {
                    const float sx = float(int(bx - float(W / 2) * _scale + x));
                    const float sy = float(int(by - float(H / 2) * _scale + y));
                    SetAlpha(_alpha * 0.5f);
                    SetScale(_scale, _scale);
                    SetColor(0, 0, 0);
                    DrawText(_txt, sx + 1, sy + 1);
                }
                SetAlpha(_alpha);
                SetScale(_scale, _scale);
                SetColor(255, 255, 255);
                SetBlend(ALPHABLEND);
                layers(tx, ty, false);
                if (rgb) {
                    SetColor(255, 255, 0);
                    SetAlpha((_buttonScale - 1) * _alpha);
                    DrawText(_txt, tx, ty);
                }
            }
            break;
        }
        case BT_TEXT:
        case BT_TEXT_SPEC1:
        case BT_TEXT_LIGHT: {
            const float s = _scale * _buttonScale;
            SetScale(s, s);
            SetImageFont(_font);
            const int W = TextWidth(_txt), H = TextHeight(_txt);
            const float tx = float(int(bx - float(W / 2) * s + x));
            const float ty = float(int(by - float(H / 2) * s + y));
            if (_typ == BT_TEXT_SPEC1) {
                SetAlpha(_alpha);
                layers(tx, ty, true);
                break;
            }
            if (_typ == BT_TEXT_LIGHT) SetBlend(ALPHABLEND);
            if (_shadowA != 0) {
                SetAlpha(_alpha * _shadowA);
                SetColor(0, 0, 0);
                DrawText(_txt, tx + _shadowX, ty + _shadowY);
            }
            SetAlpha(_alpha);
            layers(tx, ty, false);
            if (_typ == BT_TEXT_LIGHT) {
                SetBlend(LIGHTBLEND);
                SetAlpha(_alpha * _dButtonAlpha);
                if (rgb) {
                    setColour(rgb);
                    DrawText(_txt, tx, ty);
                }
            }
            break;
        }
        default:  // TEXT_SPEC_BUTTON4 and TEXT_SPEC_BUTTON7 show nothing of their own
            break;
    }
    return 0;
}
