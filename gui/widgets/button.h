#pragma once
// The button widget: fifteen kinds in one class, chosen by a type code at creation
// (images, frame strips, four-step strips, glows, several caption styles). Buttons are
// made by the factories below; a layout's BUTTON block picks one by its TYP word.
#include <array>
#include <memory>
#include <string>

#include "gui/core/guiobject.h"
#include "gui/core/layout_items.h"
#include "gui/widgets/anim.h"
#include "platform/graphics.h"

class TGui;

// Button type codes (the TYP words in the comments).
enum TButtonType {
    BT_SIMPLE = 0,        // SIMPLE_BUTTON
    BT_ANIM = 1,          // ANIM_BUTTON
    BT_BLEND = 2,         // BLEND_BUTTON
    BT_FSTEP = 3,         // FSTEP_BUTTON
    BT_TEXT = 4,          // TEXT_BUTTON
    BT_TEXT_SPEC1 = 5,    // TEXT_SPEC_BUTTON1
    BT_FSTEP_BLEND = 6,   // FSTEP_BLEND_BUTTON
    BT_FSTEP_ZERKON = 7,  // FSTEP_BUTTON_ZERKON
    BT_TEXT_SPEC2 = 8,    // TEXT_SPEC_BUTTON2
    BT_TEXT_SPEC3 = 9,    // TEXT_SPEC_BUTTON3
    BT_TEXT_SPEC4 = 10,   // TEXT_SPEC_BUTTON4
    BT_TEXT_SPEC5 = 11,   // TEXT_SPEC_BUTTON5
    BT_TEXT_SPEC6 = 12,   // TEXT_SPEC_BUTTON6
    BT_TEXT_SPEC7 = 13,   // TEXT_SPEC_BUTTON7
    BT_TEXT_LIGHT = 14,   // TEXT_LIGHT_BUTTON
};

class TButton : public TGuiObject {
public:
    static constexpr int kMaxLetters = 200;

    TImage _image;
    TImage _addImg;
    TImageFont _font;
    int _typ = 0;
    int _dir = 0;                   // strip: 0 side by side, 1 stacked
    std::shared_ptr<TRGB> outLine;  // null: no outline
    float _pomRememberX = 0, _pomRememberY = 0;
    int shadowed = 0;
    TAnimData _animData;
    int frames = 0;
    int aktAnim = 0;
    int aktFrame = 0;
    int _activeFlag = 0, _overFlag = 0, _unactiveFlag = 0;
    int _animNormal = 0, _animActive = 0, _animOver = 0, _animUnActive = 0;
    float _buttonAlpha = 1, _dButtonAlpha = 1;
    float _buttonScale = 1, _dButtonScale = 1;
    float _adOverX = 0, _adOverY = 0;
    std::string _txt;
    std::array<float, kMaxLetters> _textScale{};
    float _chrN = 0;
    std::array<float, kMaxLetters> _dTextScale{};
    int _wykonano = 0;
    float _shadowA = 0, _shadowX = 0, _shadowY = 0;
    float _textWidth = 0, _textHeight = 0;
    float _bigText = 2.0f;
    float _old4StepB = 0, _new4StepB = 0;
    float _oldAlpha = 0, _newAlpha = 0;
    float dimAdX = 0, dimAdY = 0;
    float stan = 1;  // fill 0-1 of FSTEP_BUTTON_ZERKON; locked below 1

    int draw(float x, float y) override;
    int countDims() override { return CountDims(); }
    int countDims2() override;
    int updateMe(float dx, float dy) override;
    bool adoptFrom(const TGuiObject& fresh) override { return adoptSame(*this, fresh); }

    int CountDims();
    int setDeltaTime(int delay, int anim);
    int interpretujSchemat(const std::string& scheme, int dir);
    int _updateZerkonButton();
    int updateScaleAndAlpha();
    int sprawdzAnimacje();
    int animUpdate();
    int playAnim(const std::string& name);
    int drawZerkonBut(const TImage& image, float x, float y, int frame);
    // The caption letter by letter, each at its wave scale.
    int drawMyTextSpec(float x, float y);

    // BUTTON block; null (after a message) for an unknown TYP.
    static std::shared_ptr<TButton> CreateFromList(const std::string& name,
                                                   const TEntryList& entries, TGui* gui);

    // Strip step of the four-step kinds: 0 normal, 1 hover, 2 pressed, 3 inactive.
    int fourStep() const;
    // Strip cell an ANIM_BUTTON shows now, or -1 for none.
    int currentAnimCell() const;

private:
    std::string _cpSource;  // caption the code points below were taken from
    std::u32string _cps;
    const std::u32string& captionChars();
    void setDrawColour() const;
};

// ---- factories -----------------------------------------------------------------------------
// Positions in virtual pixels; paths below bDir; fonts and colours may be null. Colour
// records are shared with the caller, not copied. A missing image counts as size 0: the
// button is made with its box at the point and draws nothing of the image.
std::shared_ptr<TButton> button(const std::string& name, const std::string& path, int x, int y,
                                int visible, int active);
std::shared_ptr<TButton> button(const std::string& name, const TImage& image, int x, int y,
                                int visible, int active);
std::shared_ptr<TButton> button1(const std::string& name, const std::string& path, int x, int y,
                                 int visible, int active);
std::shared_ptr<TButton> button1(const std::string& name, const TImage& image, int x, int y,
                                 int visible, int active);
std::shared_ptr<TButton> animButton(const std::string& name, const std::string& path, int x,
                                    int y, const std::string& scheme, int dir, int visible,
                                    int active);
std::shared_ptr<TButton> blendButton(const std::string& name, const std::string& path, int x,
                                     int y, int dir, int visible, int active);
std::shared_ptr<TButton> fStepButton(const std::string& name, const std::string& path, int x,
                                     int y, int dir, int visible, int active);
std::shared_ptr<TButton> fStepZerkonButton(const std::string& name, const std::string& path,
                                           int x, int y, int dir, int visible, int active);
std::shared_ptr<TButton> fStepBlendButton(const std::string& name, const std::string& path, int x,
                                          int y, int dir, int visible, int active);
std::shared_ptr<TButton> textButton(const std::string& name, const std::string& text,
                                    const TImageFont& font, int x, int y,
                                    const std::shared_ptr<TRGB>& colour,
                                    const std::shared_ptr<TRGB>& outline, int visible, int active,
                                    float shadowA = 0, float shadowX = 0, float shadowY = 0);
std::shared_ptr<TButton> textLightButton(const std::string& name, const std::string& text,
                                         const TImageFont& font, int x, int y,
                                         const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float shadowA = 0, float shadowX = 0,
                                         float shadowY = 0);
std::shared_ptr<TButton> specTextButton1(const std::string& name, const std::string& text,
                                         const TImageFont& font, int x, int y,
                                         const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active);
std::shared_ptr<TButton> specTextButton2(const std::string& name, const std::string& path,
                                         const std::string& text, const TImageFont& font, int x,
                                         int y, const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx = 0, float textDy = 0);
std::shared_ptr<TButton> specTextButton3(const std::string& name, const std::string& path,
                                         const std::string& text, const TImageFont& font, int x,
                                         int y, const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx = 0, float textDy = 0);
std::shared_ptr<TButton> specTextButton4(const std::string& name, const std::string& path,
                                         const std::string& text, const TImageFont& font, int x,
                                         int y, const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx = 0, float textDy = 0);
std::shared_ptr<TButton> specTextButton5(const std::string& name, const std::string& path,
                                         const std::string& text, const TImageFont& font, int x,
                                         int y, const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx = 0, float textDy = 0);
std::shared_ptr<TButton> specTextButton6(const std::string& name, const std::string& path,
                                         const std::string& addPath, const std::string& text,
                                         const TImageFont& font, int x, int y,
                                         const std::shared_ptr<TRGB>& colour,
                                         const std::shared_ptr<TRGB>& outline, int visible,
                                         int active, float textDx = 0, float textDy = 0);
