// The game window. One object owns the whole game: every field of the game
// state, every control on the window and every handler and procedure. The
// member functions are defined in the folder of their subsystem: shell/
// (layout, menu commands, sound), engine/ (lifecycle, waves, march, main
// tick, missile, bombs, keys, shooting star and demo pilot) and scores/
// (status line, game over, high score).
#pragma once

#include <QString>

#include <array>
#include <memory>

#include "shell/controls.h"
#include "shell/highscorestore.h"
#include "shell/numbers.h"
#include "shell/platform.h"
#include "shell/surface.h"

class frmVorlane {
public:
    explicit frmVorlane(Platform& platform);
    frmVorlane(const frmVorlane&) = delete;
    frmVorlane& operator=(const frmVorlane&) = delete;
    ~frmVorlane();

    Platform& platform;
    // Where "HS" is read and written; when unset, the file "HS" beside the
    // program, or in the player's data folder when that cannot be written.
    HighScoreStore* highScores = nullptr;

    // ---- The window ------------------------------------------------------
    QString caption;
    Surface surface;

    // Labels, in the order they cover each other.
    Label Label1, Label2, Label3, lblwave, lblspeed, lblbonus, Label5, Label6, lblGameOver, lblRating;
    std::array<Label*, 10> labels();

    // Images: the ship, the mothership, the five bases, the thirty invaders.
    Image Image36, Imgmothership;
    std::array<Image, 5> imgbases;
    std::array<Image, 30> inv;

    // Timers (there is no Timer5).
    Timer Timer1, Timer2, Timer3, Timer4, Timer6;

    // The menu bar.
    MenuItem mnuGame, mnuStart, mnuExit;
    MenuItem mnuSkill, mnuEasy, mnuMedium, mnuHard;
    MenuItem mnuSpeed, mnuSlow, mnuMed, mnuFast;
    MenuItem mnuBombs, mnu1, mnu2, mnu3, mnu4, mnu5, mnu6, mnu7, mnu8, mnu9, mnu10, mnu15, mnu20, mnu25, mnu30;
    MenuItem mnuBombSpeed, mnuLow, mnuHigh;
    MenuItem mnuMissile, mnumis1, mnumis2, mnumis3, mnumis4;
    MenuItem mnuOptions, mnuMusicon, mnuSound, mnuHidemenu;
    MenuItem mnuHelp, mnuKeys, mnuAbout;
    // The eight menus from left to right, as the menu bar shows them.
    std::array<MenuItem*, 8> menuBar();

    // ---- The game state --------------------------------------------------
    Integer intGameState = 0;  // 0 a game in play, 1 no game, 2 a game ending
    Double dblScore = 0;
    Double dblHighScore = 0;
    QString strHighName;
    bool blnNewHigh = false;
    Integer intLives = 0;
    Integer intWave = 0;
    Integer intKills = 0;
    Integer intRating = 0;
    std::array<QString, 6> arrRating;
    Single sngDelay = 0;

    // Settings held in fields.
    bool blnBombSpeedHigh = false;
    Integer intMissileSpeed = 0;
    Integer intBombCount = 0;
    bool blnSound = false;
    bool blnWaveDevice = false;

    // The formation.
    std::array<Single, 31> arrInvX{}, arrInvY{};
    std::array<bool, 31> arrInvDead{};
    Single sngStepX = 0;
    Single sngReverseFactor = 0;
    Single sngDropStep = 0;
    bool blnEdgeHit = false;
    Integer intInvasionLevel = 0;
    Integer intLowestInv = 0;
    Single sngLowestY = 0;
    Integer intColStep = 0;
    Integer intRowStep = 0;
    Single sngFormTop = 0;
    bool blnInvFrame = false;
    Integer intNote = 0;

    // The ship and its missile.
    Integer intShipX = 0;
    Integer intShipY = 0;
    Integer intShipDir = 0;
    bool blnMissile = false;
    Integer intMissileX = 0;
    Integer intMissileY = 0;
    bool blnOtherKey = false;

    // The bombs.
    std::array<Single, 31> arrBombX{}, arrBombY{}, arrBombSpeed{};

    // The mothership and its bonus.
    bool blnMotherActive = false;
    Integer intMotherX = 0;
    Integer intMotherY = 0;
    Integer intMotherDY = 0;
    Integer intMotherBob = 0;
    bool blnMotherSound = false;
    Integer intBonusFactor = 0;
    Integer intBonusTicks = 0;

    // The shared loop indices and the erosion dot.
    Integer intI = 0;
    Integer intJ = 0;
    Integer intK = 0;
    Single varDotX = 0;
    Single sngDotY = 0;

    // The shooting star and the demo pilot.
    Integer intStarX = 0, intStarDX = 0, intStarY = 0, intStarDY = 0, intStarLife = 0, intStarStep = 0;
    Integer intDemoHold = 0, intDemoCount = 0, intDemoMove = 0;

    // ---- Lifecycle (engine/lifecycle.cpp) --------------------------------
    void Form_Load();
    void ResetGame();
    void Form_DblClick();
    void mnuStart_Click();
    void mnuExit_Click();

    // ---- Wave set-up (engine/wave.cpp) -----------------------------------
    void SetUpWave();

    // ---- The march (engine/march.cpp) ------------------------------------
    void Timer1_Timer();
    void PlaceInvaders();
    void MarchFormation();
    void AnimateInvaders();

    // ---- The main tick and the mothership (engine/tick.cpp) --------------
    void Timer2_Timer();
    void GameStep();

    // ---- The missile (engine/missile.cpp) --------------------------------
    void MoveMissile();

    // ---- The bombs (engine/bombs.cpp) ------------------------------------
    void MoveBombs();

    // ---- Keys and the ship (engine/keys.cpp) -----------------------------
    void Form_KeyDown(Integer keyCode, Integer shift);
    void Form_KeyUp(Integer keyCode, Integer shift);
    void MoveShip();

    // ---- Shooting star and demo pilot (engine/attract.cpp) ---------------
    void Timer4_Timer();
    void Timer6_Timer();
    void DemoPilot();

    // ---- Status line (scores/status.cpp) ---------------------------------
    void Timer3_Timer();

    // ---- Game over (scores/gameover.cpp) ---------------------------------
    void GameOver();

    // ---- Menu commands (shell/menus.cpp) ---------------------------------
    void mnuEasy_Click();
    void mnuMedium_Click();
    void mnuHard_Click();
    void mnuSlow_Click();
    void mnuMed_Click();
    void mnuFast_Click();
    void mnu1_Click();
    void mnu2_Click();
    void mnu3_Click();
    void mnu4_Click();
    void mnu5_Click();
    void mnu6_Click();
    void mnu7_Click();
    void mnu8_Click();
    void mnu9_Click();
    void mnu10_Click();
    void mnu15_Click();
    void mnu20_Click();
    void mnu25_Click();
    void mnu30_Click();
    void mnuLow_Click();
    void mnuHigh_Click();
    void mnumis1_Click();
    void mnumis2_Click();
    void mnumis3_Click();
    void mnumis4_Click();
    void mnuMusicon_Click();
    void mnuSound_Click();
    void mnuHidemenu_Click();
    void mnuKeys_Click();
    void mnuAbout_Click();

    // ---- Sound (shell/sound.cpp) -----------------------------------------
    bool CanPlayWaves();
    bool PlayWaveFile(const QString& strFileName, bool blnAsync = false);
    Long CloseAllDevices(const QString& command = QStringLiteral("close all"));

    // The six pictures that lie beside the program.
    static const std::array<const char*, 6> PictureFiles;

private:
    // shell/layout.cpp
    void designLabels();
    void designImages();
    void designTimers();
    void designMenus();

    // shell/menus.cpp
    void connectMenus();
    void BombsCommand(MenuItem& chosen, Integer count);
    void ShowMenus(bool visible);

    // shell/sound.cpp: a cue plays only while sound is on and a device exists.
    void Cue(const char* fileName);

    // engine/lifecycle.cpp
    QString ProgramFile(const QString& fileName);
    bool PicturesPresent();

    // engine/march.cpp
    void QuickenBeat();

    // engine/tick.cpp
    void MothershipStartDraw();
    void MothershipStep();

    // engine/missile.cpp
    bool ShootBomb();
    void HitMothership();
    void ErodeBase();
    void ScanInvaders();
    void ClearedWave();

    // engine/bombs.cpp
    bool LaunchBomb();
    void ShipHit();
    void Blast();

    // scores/highscore.cpp: the high-score step of the reset.
    void HighScoreStep();
    HighScoreStore& HighScores();
    std::unique_ptr<HighScoreStore> fileStore_;
};
