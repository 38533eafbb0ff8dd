// The sound layer: whether the machine can play waves at all, playing one
// wave file by name, releasing media devices, and the rule every cue of
// the game follows.
#include "disk/regularfile.h"
#include "shell/frmVorlane.h"

bool frmVorlane::CanPlayWaves() { return platform.waveOutDeviceCount() != 0; }

// Plays a wave file; a newly started sound cuts off one still playing.
// False when the file could not be played: the game goes on in silence.
// A named pipe or a device in the sound's place is no sound at all, and is
// never handed on, where opening it could hold the game up.
bool frmVorlane::PlayWaveFile(const QString& strFileName, bool blnAsync) {
    if (!isReadableRegularFile(strFileName)) return false;
    return platform.playSound(strFileName, blnAsync);
}

// The game opens no media device of its own; this only makes sure none
// is left open. The command's answer is not used.
Long frmVorlane::CloseAllDevices(const QString& command) {
    return static_cast<Long>(platform.sendMediaCommand(command));
}

// A cue sounds only while the player wants sound and a device exists.
void frmVorlane::Cue(const char* fileName) {
    if (blnSound && blnWaveDevice) PlayWaveFile(ProgramFile(QString::fromLatin1(fileName)), true);
}
