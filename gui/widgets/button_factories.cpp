// The fifteen ways to make a button: single images, frame strips, captions, and images
// with captions. Each returns a complete button with its box computed.
#include "gui/core/guiobject.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "gui/widgets/button.h"
#include "platform/system.h"

namespace {

std::shared_ptr<TButton> start(const std::string& name, int x, int y, int visible, int active,
                               int typ) {
    auto b = std::make_shared<TButton>();
    b->_id = name;
    b->dim = createSimpleDim(x, y);
    b->_v = visible;
    b->_a = active;
    b->_pomRememberX = float(x);
    b->_pomRememberY = float(y);
    b->_class = QGM_button;
    b->_typ = typ;
    return b;
}

TImage loadButtonImage(const std::string& path, int flags) {
    if (path.empty()) return nullptr;
    TImage img = LoadImage(bDir + path, flags);
    if (!img) Print("Missing button image : " + bDir + path);
    return img;
}

// Steps shared by every single-image button: the image, its box, its size.
void singleImage(TButton& b, const TImage& loaded, bool midHandle) {
    b._image = loaded;
    if (midHandle) MidHandleImage(b._image);
    b.CountDims();
    b.dim->h = float(ImageHeight(b._image));
    b.dim->w = float(ImageWidth(b._image));
}

void singleImage(TButton& b, const std::string& path) {
    singleImage(b, loadButtonImage(path, MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE), true);
}

// Cuts the file into n equal cells side by side (dir 0) or stacked, handle at the cell
// centre; the box is the cell around the point.
void strip(TButton& b, const std::string& path, int n, int dir) {
    const float x = b.dim->x, y = b.dim->y;
    TImage whole = loadButtonImage(path, DEFAULT_IMAGE_FLAGS);
    int fw = 0, fh = 0;
    if (whole && n > 0) {
        fw = dir == 0 ? ImageWidth(whole) / n : ImageWidth(whole);
        fh = dir == 0 ? ImageHeight(whole) : ImageHeight(whole) / n;
        b._image = LoadAnimImage(bDir + path, fw, fh, 0, n);
        SetImageHandle(b._image, float(fw / 2), float(fh / 2));
    }
    if (!b._image) fw = fh = 0;
    b.dim->x1 = x - float(fw / 2);
    b.dim->y1 = y - float(fh / 2);
    b.dim->x2 = x + float(fw / 2);
    b.dim->y2 = y + float(fh / 2);
    b.dim->w = float(fw);
    b.dim->h = float(fh);
}

std::shared_ptr<TButton> fourStepStrip(const std::string& name, const std::string& path, int x,
                                       int y, int dir, int visible, int active, int typ) {
    auto b = start(name, x, y, visible, active, typ);
    strip(*b, path, 4, dir);
    b->_buttonAlpha = 0;
    return b;
}

std::shared_ptr<TButton> captionButton(const std::string& name, const std::string& text,
                                       const TImageFont& font, int x, int y,
                                       const std::shared_ptr<TRGB>& colour,
                                       const std::shared_ptr<TRGB>& outline, int visible,
                                       int active, float shadowA, float shadowX, float shadowY,
                                       int typ) {
    auto b = start(name, x, y, visible, active, typ);
    b->rgb = colour ? colour : createRGB(255, 255, 255);
    b->outLine = outline;
    b->_font = font;
    b->_txt = text;
    b->_shadowA = shadowA;
    b->_shadowX = shadowX;
    b->_shadowY = shadowY;
    b->CountDims();
    return b;
}

std::shared_ptr<TButton> imageCaption(const std::string& name, const std::string& path,
                                      const std::string* addPath, const std::string& text,
                                      const TImageFont& font, int x, int y,
                                      const std::shared_ptr<TRGB>& colour,
                                      const std::shared_ptr<TRGB>& outline, int visible,
                                      int active, float textDx, float textDy, int typ) {
    auto b = start(name, x, y, visible, active, typ);
    b->rgb = colour;  // none stays none here
    b->outLine = outline;
    if (addPath) {
        b->_addImg = loadButtonImage(*addPath, DEFAULT_IMAGE_FLAGS);
        MidHandleImage(b->_addImg);
    }
    singleImage(*b, path);
    b->_font = font;
    b->_txt = text;
    b->dimAdX = textDx;
    b->dimAdY = textDy;
    return b;
}

}  // namespace

std::shared_ptr<TButton> button(const std::string& name, const std::string& path, int x, int y,
                                int visible, int active) {
    auto b = start(name, x, y, visible, active, BT_SIMPLE);
    singleImage(*b, path);
    return b;
}

std::shared_ptr<TButton> button(const std::string& name, const TImage& image, int x, int y,
                                int visible, int active) {
    auto b = start(name, x, y, visible, active, BT_SIMPLE);
    singleImage(*b, image, false);
    return b;
}

std::shared_ptr<TButton> button1(const std::string& name, const std::string& path, int x, int y,
                                 int visible, int active) {
    auto b = start(name, x, y, visible, active, BT_BLEND);
    singleImage(*b, path);
    return b;
}

std::shared_ptr<TButton> button1(const std::string& name, const TImage& image, int x, int y,
                                 int visible, int active) {
    auto b = start(name, x, y, visible, active, BT_BLEND);
    singleImage(*b, image, false);
    return b;
}

std::shared_ptr<TButton> animButton(const std::string& name, const std::string& path, int x,
                                    int y, const std::string& scheme, int dir, int visible,
                                    int active) {
    auto b = start(name, x, y, visible, active, BT_ANIM);
    if (scheme.empty()) errorMsg("Nieprawidlowy schemat :" + scheme);
    b->interpretujSchemat(scheme, dir);
    // A scheme without frames cannot cut the strip: the button is left without an image.
    if (b->frames <= 0 && !scheme.empty())
        errorMsg("Nieprawidlowy schemat :" + scheme + " (no frames to cut the strip into)");
    strip(*b, path, b->frames, dir);
    return b;
}

std::shared_ptr<TButton> blendButton(const std::string& name, const std::string& path, int x,
                                     int y, int dir, int visible, int active) {
    auto b = start(name, x, y, visible, active, BT_BLEND);
    strip(*b, path, 2, dir);
    b->_buttonAlpha = 0;
    return b;
}

std::shared_ptr<TButton> fStepButton(const std::string& name, const std::string& path, int x,
                                     int y, int dir, int visible, int active) {
    return fourStepStrip(name, path, x, y, dir, visible, active, BT_FSTEP);
}

std::shared_ptr<TButton> fStepZerkonButton(const std::string& name, const std::string& path,
                                           int x, int y, int dir, int visible, int active) {
    return fourStepStrip(name, path, x, y, dir, visible, active, BT_FSTEP_ZERKON);
}

std::shared_ptr<TButton> fStepBlendButton(const std::string& name, const std::string& path, int x,
                                          int y, int dir, int visible, int active) {
    auto b = fourStepStrip(name, path, x, y, dir, visible, active, BT_FSTEP_BLEND);
    b->_oldAlpha = 1;
    b->_newAlpha = 1;
    b->_old4StepB = 0;
    b->_new4StepB = 0;
    return b;
}

std::shared_ptr<TButton> textButton(const std::string& name, const std::string& text,
                                    const TImageFont& font, int x, int y,
                                    const std::shared_ptr<TRGB>& colour,
                                    const std::shared_ptr<TRGB>& outline, int visible, int active,
                                    float shadowA, float shadowX, float shadowY) {
    return captionButton(name, text, font, x, y, colour, outline, visible, active, shadowA,
                         shadowX, shadowY, BT_TEXT);
}

std::shared_ptr<TButton> textLightButton(const std::string& name, const std::string& text,
                                         const TImageFont& font, int x, int y,
                                         const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float shadowA, float shadowX, float shadowY) {
    return captionButton(name, text, font, x, y, colour, outline, visible, active, shadowA,
                         shadowX, shadowY, BT_TEXT_LIGHT);
}

std::shared_ptr<TButton> specTextButton1(const std::string& name, const std::string& text,
                                         const TImageFont& font, int x, int y,
                                         const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active) {
    auto b = start(name, x, y, visible, active, BT_TEXT_SPEC1);
    b->rgb = colour ? colour : createRGB(255, 255, 255);
    b->outLine = outline;
    b->_font = font;
    b->_txt = text;
    b->_chrN = 0;
    SetScale(1, 1);
    SetImageFont(font);
    b->_textWidth = float(TextWidth("O"));
    b->_textHeight = float(TextHeight("O"));
    b->_textScale.fill(1.0f);
    b->countDims2();
    return b;
}

std::shared_ptr<TButton> specTextButton2(const std::string& name, const std::string& path,
                                         const std::string& text, const TImageFont& font, int x,
                                         int y, const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx, float textDy) {
    return imageCaption(name, path, nullptr, text, font, x, y, colour, outline, visible, active,
                        textDx, textDy, BT_TEXT_SPEC2);
}

std::shared_ptr<TButton> specTextButton3(const std::string& name, const std::string& path,
                                         const std::string& text, const TImageFont& font, int x,
                                         int y, const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx, float textDy) {
    return imageCaption(name, path, nullptr, text, font, x, y, colour, outline, visible, active,
                        textDx, textDy, BT_TEXT_SPEC3);
}

std::shared_ptr<TButton> specTextButton4(const std::string& name, const std::string& path,
                                         const std::string& text, const TImageFont& font, int x,
                                         int y, const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx, float textDy) {
    return imageCaption(name, path, nullptr, text, font, x, y, colour, outline, visible, active,
                        textDx, textDy, BT_TEXT_SPEC4);
}

std::shared_ptr<TButton> specTextButton5(const std::string& name, const std::string& path,
                                         const std::string& text, const TImageFont& font, int x,
                                         int y, const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx, float textDy) {
    return imageCaption(name, path, nullptr, text, font, x, y, colour, outline, visible, active,
                        textDx, textDy, BT_TEXT_SPEC5);
}

std::shared_ptr<TButton> specTextButton6(const std::string& name, const std::string& path,
                                         const std::string& addPath, const std::string& text,
                                         const TImageFont& font, int x, int y,
                                         const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx, float textDy) {
    return imageCaption(name, path, &addPath, text, font, x, y, colour, outline, visible, active,
                        textDx, textDy, BT_TEXT_SPEC7);
}
