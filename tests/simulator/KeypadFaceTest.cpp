#include "simulator/KeypadFace.h"

#include "model/elements/PanelKeys.h"

#include <gtest/gtest.h>

TEST(KeypadFace, EveryPointOfAKeyAreaHitsThatKeyCornersIncluded)
{
    struct Case {
        int key;
        KeyArea area;
    };
    const Case cases[] = {
        {KeyLeft, {484, 521, 332, 367}},
        {KeyRight, {569, 605, 332, 367}},
        {KeyUp, {526, 562, 304, 339}},
        {KeyDown, {526, 562, 359, 395}},
        {KeyEsc, {332, 371, 317, 352}},
        {KeySet, {426, 464, 317, 352}},
        {KeyEnt, {426, 464, 359, 394}},
        {KeyAlm, {380, 417, 359, 394}},
        {KeyDigit0, {84, 120, 317, 352}},
        {KeyDigit0 + 4, {268, 304, 317, 352}},
        {KeyDigit0 + 5, {84, 120, 359, 394}},
        {KeyDigit0 + 9, {268, 304, 359, 394}},
        {KeyPlusMinus, {332, 371, 359, 394}},
        {KeyClr, {380, 417, 317, 352}},
        {KeyF1, {537, 573, 126, 162}},
        {KeyF1 + 3, {537, 573, 248, 284}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(KeyPressArea(c.key), c.area);
        const KeyArea& a = c.area;
        EXPECT_EQ(KeyAtPoint(a.left, a.top), c.key);
        EXPECT_EQ(KeyAtPoint(a.right, a.bottom), c.key);
        EXPECT_EQ(KeyAtPoint((a.left + a.right) / 2, (a.top + a.bottom) / 2), c.key);
        EXPECT_NE(KeyAtPoint(a.left - 1, a.top), c.key);
        EXPECT_NE(KeyAtPoint(a.right, a.bottom + 1), c.key);
    }
}

TEST(KeypadFace, EveryKeyHasItsOwnAreaAndGapsHitNothing)
{
    for (int key = 0; key < kPanelKeyCount; ++key) {
        const KeyArea a = KeyPressArea(key);
        EXPECT_EQ(KeyAtPoint(a.left, a.top), key) << key;
    }
    EXPECT_EQ(KeyAtPoint(0, 0), -1);
    EXPECT_EQ(KeyAtPoint(125, 330), -1);  // between '0' and '1'
    EXPECT_EQ(KeyAtPoint(100, 355), -1);  // between the digit rows
    EXPECT_EQ(KeyAtPoint(300, 200), -1);  // on the display
    EXPECT_EQ(KeyAtPoint(555, 164), -1);  // between F1 and F2
    EXPECT_EQ(KeyAtPoint(-5, 330), -1);
}

TEST(KeypadFace, KeysLieOnTheFaceBesideTheDisplay)
{
    for (int key = 0; key < kPanelKeyCount; ++key) {
        const KeyArea a = KeyPressArea(key);
        EXPECT_GE(a.left, kFaceLeft);
        EXPECT_LT(a.right, kFaceLeft + kFaceWidth);
        EXPECT_GE(a.top, kFaceTop);
        EXPECT_LT(a.bottom, kFaceTop + kFaceHeight);
        const bool besideDisplay = a.right < kDisplayWindow.left || a.left >= kDisplayWindow.right
            || a.bottom < kDisplayWindow.top || a.top >= kDisplayWindow.bottom;
        EXPECT_TRUE(besideDisplay) << key;
    }
}

TEST(KeypadFace, PressedPictureOnlyWithANamedFace)
{
    EXPECT_EQ(FaceNameFromText("ZAVO"), KeypadFaceName::Zavo);
    EXPECT_EQ(FaceNameFromText("MERDO"), KeypadFaceName::Merdo);
    EXPECT_EQ(FaceNameFromText("zavo"), KeypadFaceName::None);
    EXPECT_EQ(FaceNameFromText(""), KeypadFaceName::None);

    EXPECT_EQ(PressedKeyPicture(KeyUp, KeypadFaceName::Zavo), (PixelRect{524, 303, 563, 342}));
    EXPECT_EQ(PressedKeyPicture(KeyF1 + 2, KeypadFaceName::Merdo), (PixelRect{534, 206, 592, 246}));
    EXPECT_FALSE(PressedKeyPicture(KeyUp, KeypadFaceName::None));
    EXPECT_FALSE(PressedKeyPicture(24, KeypadFaceName::Zavo));
}

TEST(KeypadFace, DeferredCodesNameEachKeyOnce)
{
    EXPECT_EQ(KeyFromDeferredCode(1), KeyUp);
    EXPECT_EQ(KeyFromDeferredCode(3), KeyLeft);
    EXPECT_EQ(KeyFromDeferredCode(5), KeyDigit0);
    EXPECT_EQ(KeyFromDeferredCode(9), KeyDigit0 + 4);
    EXPECT_EQ(KeyFromDeferredCode(15), KeyEsc);
    EXPECT_EQ(KeyFromDeferredCode(18), KeyAlm);
    EXPECT_EQ(KeyFromDeferredCode(20), KeyEnt);
    EXPECT_EQ(KeyFromDeferredCode(24), KeyF1 + 3);
    EXPECT_EQ(KeyFromDeferredCode(0), -1);
    EXPECT_EQ(KeyFromDeferredCode(25), -1);
    for (int key = 0; key < kPanelKeyCount; ++key)
        EXPECT_EQ(KeyFromDeferredCode(PanelKey(key)->deferredCode), key);
}
