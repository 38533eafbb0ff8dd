// The sound layer: a cue sounds only while sound is on and a device exists,
// except the high-score fanfare; a missing file, or a pipe in its place,
// is silence.
#include <QFile>

#include <sys/stat.h>

#include "tests/support/GameTest.h"

using SoundTest = GameTest;

TEST_F(SoundTest, WithoutADeviceSoundStartsOffTheMenuTogglesOnlyTheWishAndNotEvenTheFanfarePlays) {
    platform.devices = 0;
    load();
    EXPECT_TRUE(form->mnuSound.checked() && !form->blnWaveDevice && !form->blnSound);
    form->mnuSound.click();
    EXPECT_TRUE(form->mnuSound.checked() && form->blnSound);
    form->SetUpWave();
    form->blnNewHigh = true;
    form->ResetGame();
    EXPECT_TRUE(platform.played.isEmpty());
    EXPECT_EQ(platform.prompts.size(), 1) << "the name is asked all the same";
}

TEST_F(SoundTest, TheFanfarePlaysWithSoundSwitchedOffAfterTheDevicesAreClosed) {
    load();
    platform.played.clear();
    form->mnuSound_Click();
    form->blnNewHigh = true;
    form->ResetGame();
    EXPECT_EQ(platform.played, QStringList({"high.wav"}));
    EXPECT_EQ(platform.mediaCommands.mid(1, 1), QStringList({"Close all"}));
}

TEST_F(SoundTest, AMissingSoundANamedPipeOrAFolderInItsPlaceIsSilenceAndHoldsNothingUp) {
    load();
    platform.remove(QStringLiteral("Sheet.wav"));
    platform.remove(QStringLiteral("Fire.wav"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(platform.path(QStringLiteral("Fire.wav"))).constData(), 0644), 0);
    platform.remove(QStringLiteral("expl.wav"));
    ASSERT_EQ(::mkdir(QFile::encodeName(platform.path(QStringLiteral("expl.wav"))).constData(), 0755), 0);
    platform.played.clear();

    for (const char* name : {"Sheet.wav", "Fire.wav", "expl.wav"})  // a folder may be read too
        EXPECT_FALSE(form->PlayWaveFile(platform.path(QLatin1String(name)), true)) << name;
    form->mnuStart_Click();
    EXPECT_TRUE(platform.played.isEmpty() && form->intGameState == 0);
    EXPECT_FALSE(platform.requested.contains("Fire.wav") || platform.requested.contains("expl.wav"))
        << "the player is never given the pipe to open";
    EXPECT_TRUE(form->PlayWaveFile(platform.path(QStringLiteral("invader.wav")), true));
}
