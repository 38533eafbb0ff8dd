// The window's life: load into the attract display, Start, the restart
// step, Exit, and what happens when the pictures beside the program are
// missing, damaged or too large at load, or go bad later.
#include <QFile>
#include <QImage>

#include <sys/stat.h>

#include "tests/support/GameTest.h"

using LifecycleTest = GameTest;

TEST_F(LifecycleTest, LoadOpensTheAttractDisplayStartBeginsAGameAndAgainAfreshAndExitClosesTheDevicesFirst) {
    load();
    EXPECT_TRUE(form->intGameState == 1 && form->intWave == 1 && form->intLives == 0);
    EXPECT_TRUE(form->dblHighScore == 0 && form->strHighName.isEmpty()) << "no high-score file yet";
    EXPECT_TRUE(form->intBombCount == 10 && form->intMissileSpeed == 4 && !form->blnBombSpeedHigh && form->blnSound);
    EXPECT_TRUE(form->lblGameOver.visible() && form->Image36.rect().topLeft() == QPoint(1, 400));
    EXPECT_EQ(platform.mediaCommands, QStringList({"close all"}));

    form->Label6.show();
    form->mnuStart_Click();
    EXPECT_TRUE(form->intGameState == 0 && form->intLives == 3);
    EXPECT_FALSE(form->Label6.visible() || form->lblGameOver.visible());
    for (MenuItem* menu : form->menuBar()) EXPECT_FALSE(menu->visible()) << menu->caption().toStdString();

    // A double-click in play changes nothing; Start in play begins afresh.
    form->dblScore = form->dblHighScore = 4000;
    form->strHighName = QStringLiteral("!");
    form->blnNewHigh = true;
    form->intWave = 3;
    form->intLives = 1;
    form->intShipX = 200;
    form->blnMissile = true;
    form->Form_DblClick();
    EXPECT_TRUE(form->intGameState == 0 && form->intWave == 3 && form->intShipX == 200);
    form->mnuStart_Click();
    EXPECT_TRUE(form->dblScore == 0 && form->intLives == 3 && form->intWave == 1 && form->intShipX == 1);
    EXPECT_FALSE(form->blnMissile) << "no missile of the old game flies on";
    EXPECT_TRUE(!form->blnNewHigh && platform.prompts.isEmpty()) << "no name is asked for the abandoned game";
    EXPECT_EQ(form->strHighName, QStringLiteral("!")) << "the abandoned high score stays until the next reset";

    const QStringList closed = platform.mediaCommands;
    form->mnuExit_Click();
    EXPECT_EQ(platform.mediaCommands, closed + QStringList({"close all"}));
    EXPECT_EQ(platform.exitStatus, 0);
}

TEST_F(LifecycleTest, MissingDamagedOversizedOrPipedPicturesAreNamedAtLoadAndTheProgramEnds) {
    platform.remove(QStringLiteral("Mother.bmp"));
    platform.remove(QStringLiteral("invexpl.bmp"));
    ASSERT_TRUE(QFile::resize(platform.path(QStringLiteral("ship.bmp")), 2));  // a header and nothing more
    QImage huge(1100, 20, QImage::Format_RGB32);
    huge.fill(Qt::white);
    ASSERT_TRUE(huge.save(platform.path(QStringLiteral("invader.bmp")), "BMP"));
    platform.remove(QStringLiteral("base.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(platform.path(QStringLiteral("base.bmp"))).constData(), 0644), 0);

    load();

    ASSERT_EQ(platform.messages.size(), 1);
    const QString& message = platform.messages[0];
    for (const char* name : {"Mother.bmp", "invexpl.bmp", "ship.bmp", "invader.bmp", "base.bmp"})
        EXPECT_TRUE(message.contains(name)) << name;
    EXPECT_TRUE(!message.contains("invader1.bmp") && message.contains(platform.programDirectory()));
    EXPECT_TRUE(platform.exitStatus == 1 && platform.holds == 0) << "no wave is set up";
}

TEST_F(LifecycleTest, APictureThatGoesBadWhileTheGameRunsLeavesItsImageAsItWas) {
    load();
    const QImage ship = form->Image36.picture();
    ASSERT_TRUE(QFile::resize(platform.path(QStringLiteral("ship.bmp")), 2));  // "BM" and nothing more

    form->mnuStart_Click();  // sets up wave 1, loading the pictures again

    EXPECT_EQ(form->Image36.picture(), ship);
    EXPECT_LT(count(form->Image36.rect(), Black), form->Image36.width() * form->Image36.height()) << "it is seen";
}
