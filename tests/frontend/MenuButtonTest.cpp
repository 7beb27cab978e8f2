#include "frontend/MenuButton.h"

#include <gtest/gtest.h>

#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"
#include "tests/font/TestFont.h"

namespace {

// The test font's "AA" at scale 1 is 22 units wide and 8 high.
class MenuButtonLogic : public testing::Test {
protected:
    void SetUp() override
    {
        BuildTestGlyphs(font);
        inputState = {};
        mouseState = {};
        gameMenu.ClearFocus();
        gameMenu.hoverSound = gameMenu.pressSound = nullptr;
        gameTimer.realTime = 10000;
        button.Init("AA", &font, 1, 1, 1, 1, MENU_ALIGN_CENTRE, 1.0f, 1);
        button.x = 100;
        button.y = 50;
    }

    void MoveMouse(int x, int y)
    {
        mouseState.x = x;
        mouseState.y = y;
    }

    // What the button's Draw does with the mouse before it draws.
    void Update()
    {
        button.hover = button.HitTest();
        button.OnClick();
    }

    void Click()
    {
        inputState.leftButton = 1;
        Update();
    }

    CFont font;
    CMenuButton button;
};

TEST_F(MenuButtonLogic, HitAreaFollowsTheAlignment)
{
    struct Case {
        int alignment;
        int left, right; // inclusive
    };
    const Case cases[] = {{MENU_ALIGN_RIGHT, 78, 100}, {MENU_ALIGN_CENTRE, 89, 111}, {MENU_ALIGN_LEFT, 100, 122}};
    for (const Case& c : cases) {
        button.alignment = c.alignment;
        const int probes[][3] = {
            {c.left, 50, 1},     {c.right, 50, 1},     {c.left - 1, 50, 0}, {c.right + 1, 50, 0},
            {c.left + 1, 46, 1}, {c.left + 1, 54, 1}, {c.left + 1, 45, 0}, {c.left + 1, 55, 0},
        };
        for (const auto& probe : probes) {
            MoveMouse(probe[0], probe[1]);
            EXPECT_EQ(button.HitTest(), probe[2]) << "alignment " << c.alignment << " at " << probe[0] << ", " << probe[1];
        }
    }
}

TEST_F(MenuButtonLogic, HitAreaOfAPressedItemIsTheUnshrunkText)
{
    MoveMouse(89, 50);
    Click();
    ASSERT_EQ(button.pressed, 1);
    EXPECT_EQ(button.HitTest(), 1);
}

TEST_F(MenuButtonLogic, ClickIsTakenOnlyByAnEnabledHoveredItem)
{
    button.enabled = 0;
    MoveMouse(100, 50);
    Click();
    EXPECT_EQ(inputState.leftButton, 1) << "a disabled item leaves the click for another widget";
    EXPECT_EQ(button.pressed, 0);

    button.enabled = 1;
    MoveMouse(300, 50);
    Update();
    EXPECT_EQ(inputState.leftButton, 1) << "the mouse is elsewhere";

    MoveMouse(100, 50);
    Update();
    EXPECT_EQ(inputState.leftButton, 0);
    EXPECT_EQ(button.pressed, 1);
    EXPECT_EQ(button.pressTime, 10000u);
}

TEST_F(MenuButtonLogic, ActionFiresOnceMoreThanATenthOfASecondAfterThePress)
{
    MoveMouse(100, 50);
    Click();
    gameTimer.realTime = 10050;
    Click(); // a second click while pressed is not taken
    EXPECT_EQ(inputState.leftButton, 1);
    EXPECT_EQ(button.pressTime, 10000u);

    EXPECT_EQ(button.IsActivated(), 0);
    gameTimer.realTime = 10100;
    EXPECT_EQ(button.IsActivated(), 0);
    gameTimer.realTime = 10101;
    EXPECT_EQ(button.IsActivated(), 1);
    EXPECT_EQ(button.pressed, 0);
    gameTimer.realTime = 10500;
    EXPECT_EQ(button.IsActivated(), 0);
}

TEST_F(MenuButtonLogic, KeyboardPressesOnlyTheFocusedEnabledItem)
{
    button.PressIfFocused();
    EXPECT_EQ(button.pressed, 0);

    gameMenu.focusList[0] = &button;
    gameMenu.focusCount = 1;
    gameMenu.SetFocus(&button);
    ASSERT_EQ(gameMenu.focused, &button);
    button.enabled = 0;
    button.PressIfFocused();
    EXPECT_EQ(button.pressed, 0);

    button.enabled = 1;
    gameTimer.realTime = 12345;
    button.PressIfFocused();
    EXPECT_EQ(button.pressed, 1);
    EXPECT_EQ(button.pressTime, 12345u);
}

TEST_F(MenuButtonLogic, FocusMovesOnlyToItemsOfTheFocusList)
{
    CMenuButton other;
    other.Init("A", &font, 1, 1, 1, 1, MENU_ALIGN_LEFT, 1.0f, 1);
    gameMenu.focusList[0] = &other;
    gameMenu.focusList[1] = &button;
    gameMenu.focusCount = 2;
    gameMenu.SetFocus(&button);
    EXPECT_EQ(gameMenu.focused, &button);
    EXPECT_EQ(gameMenu.focusIndex, 1);

    CMenuButton stranger;
    gameMenu.SetFocus(&stranger);
    EXPECT_EQ(gameMenu.focused, &button);
}

} // namespace
